#include "platform/loop/host_lookup.h"
#include "tests/support/loopback.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>

using namespace pellamo;
using namespace std::chrono_literals;

namespace {

// Lookups in these tests never leave the machine: DNS questions go to a
// loopback port nobody listens on (refused at once); the hosts file answers.
struct HostLookupTest : ::testing::Test {
    test::ClosedResolver resolver;
    EventLoop loop;
};

struct Answer {
    int calls = 0;
    bool ok = false;
    uint32_t address = 0;
    HostLookup::Callback Callback()
    {
        return [this](bool found, uint32_t addr, int) {
            ++calls;
            ok = found;
            address = addr;
        };
    }
};

TEST_F(HostLookupTest, AnswersOnTheLoopFromTheHostsFileAndFailsUnknownNames)
{
    HostLookup lookup(loop);
    struct Case {
        const char* name;
        bool ok;
        uint32_t address;
    } cases[] = {
        { "localhost", true, htonl(INADDR_LOOPBACK) },
        { "no-such-host.invalid", false, 0 },
        { "", false, 0 },
    };
    for (auto const& c : cases) {
        Answer answer;
        lookup.Resolve(c.name, answer.Callback());
        EXPECT_EQ(answer.calls, 0) << "answered inside Resolve: " << c.name;
        EXPECT_TRUE(loop.WaitUntil([&] { return answer.calls > 0; }, 5000ms)) << c.name;
        EXPECT_EQ(answer.calls, 1);
        EXPECT_EQ(answer.ok, c.ok) << c.name;
        EXPECT_EQ(answer.address, c.address) << c.name;
    }
    EXPECT_FALSE(lookup.Pending());
}

TEST_F(HostLookupTest, CancelledAndDestroyedLookupsNeverCallBack)
{
    Answer cancelled, destroyed, kept;
    {
        HostLookup lookup(loop);
        auto id = lookup.Resolve("localhost", cancelled.Callback());
        lookup.Resolve("localhost", kept.Callback());
        lookup.Cancel(id);
        EXPECT_TRUE(loop.WaitUntil([&] { return kept.calls > 0; }, 5000ms));
        lookup.Resolve("no-such-host.invalid", destroyed.Callback());
    }
    loop.WaitUntil([] { return false; }, 50ms);
    EXPECT_EQ(cancelled.calls, 0);
    EXPECT_EQ(destroyed.calls, 0);
    EXPECT_EQ(kept.calls, 1);
}

TEST(EventLoopQuit, EndsNestedWaits)
{
    EventLoop loop;
    bool ran = false;
    loop.Post([&] {
        ran = true;
        loop.Quit();
    });
    auto start = EventLoop::Clock::now();
    EXPECT_FALSE(loop.WaitUntil([] { return false; }));
    EXPECT_TRUE(ran);
    EXPECT_LT(EventLoop::Clock::now() - start, 5s);
}

}
