#include "app/logo_loader.h"

#include "platform/gfx/color.h"
#include "viewer/logo_picture.h"

namespace pellamo {

namespace {

std::span<const uint8_t> Bytes(const std::string& s)
{
    return { reinterpret_cast<const uint8_t*>(s.data()), s.size() };
}

// The picture at both sizes, or nothing.
template <class Pictures> std::optional<Pictures> Decode(const std::string& bytes, int small, int large)
{
    std::optional<Bitmap> a = DecodeLogo(Bytes(bytes), small, clWhite);
    std::optional<Bitmap> b = a ? DecodeLogo(Bytes(bytes), large, clWhite) : std::nullopt;
    if (!a || !b)
        return std::nullopt;
    return Pictures { std::move(*a), std::move(*b) };
}
}

LogoLoader::LogoLoader(LogoCache cache, Ready ready, EventLoop& loop)
    : cache_(std::move(cache))
    , ready_(std::move(ready))
    , loop_(loop)
{
    limits_.max_bytes = kMaxLogoBytes;
    limits_.connect_timeout = std::chrono::seconds(10);
    limits_.stall_timeout = std::chrono::seconds(15); // a logo that never finishes gives way
}

LogoLoader::~LogoLoader()
{
    *alive_ = false;
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    if (worker_.joinable())
        worker_.join();
}

bool LogoLoader::Fetchable(const std::string& address)
{
    if (address.size() > 2048)
        return false;
    for (const char* scheme : { "http://", "https://" }) {
        std::string_view s(scheme);
        if (address.size() > s.size() && std::equal(s.begin(), s.end(), address.begin(), [](char a, char b) {
                return a == (b >= 'A' && b <= 'Z' ? static_cast<char>(b + 32) : b);
            }))
            return true;
    }
    return false;
}

void LogoLoader::Want(const std::string& address)
{
    if (!Fetchable(address) || !asked_.insert(address).second)
        return;
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back({ address, false, {} });
        ++in_worker_;
        if (!worker_.joinable())
            worker_ = std::thread([this] { Work(); });
    }
    wake_.notify_one();
}

bool LogoLoader::Idle() const
{
    std::lock_guard lock(mutex_);
    return in_worker_ == 0 && downloading_ == 0 && to_download_.empty();
}

void LogoLoader::Work()
{
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stop_ || !jobs_.empty(); });
            if (stop_)
                return;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        std::optional<Pictures> pictures;
        bool missing = false;
        if (job.downloaded) {
            pictures = Decode<Pictures>(job.bytes, kSmall, kLarge);
            if (pictures) { // only pictures that decode take room in the cache
                try {
                    cache_.Store(job.address, job.bytes);
                } catch (const std::exception&) {
                    // Not kept: it is shown all the same.
                }
            }
        } else if (std::optional<std::string> bytes = cache_.Read(job.address)) {
            pictures = Decode<Pictures>(*bytes, kSmall, kLarge);
        } else {
            missing = true;
        }
        loop_.Post([this, alive = std::weak_ptr<bool>(alive_), address = job.address, pictures = std::move(pictures),
                       missing] {
            if (!alive.expired())
                Finished(address, pictures, missing);
        });
    }
}

void LogoLoader::Finished(const std::string& address, std::optional<Pictures> pictures, bool missing)
{
    {
        std::lock_guard lock(mutex_);
        --in_worker_;
        if (missing)
            to_download_.push_back(address);
    }
    if (pictures && ready_)
        ready_(address, pictures->small, pictures->large);
    StartDownloads();
}

void LogoLoader::StartDownloads()
{
    while (downloading_ < kParallel) {
        std::string address;
        {
            std::lock_guard lock(mutex_);
            if (to_download_.empty())
                return;
            address = std::move(to_download_.front());
            to_download_.pop_front();
            ++downloading_;
        }
        if (!web_)
            web_ = std::make_unique<WebDownload>(loop_, limits_);
        web_->Start(address, {}, [this, address](WebDownload::Result result) {
            {
                std::lock_guard lock(mutex_);
                --downloading_;
                if (result.ok && result.status == 200) {
                    jobs_.push_back({ address, true, std::move(result.body) });
                    ++in_worker_;
                }
            }
            wake_.notify_one();
            StartDownloads();
        });
    }
}

}
