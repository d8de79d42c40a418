#pragma once

#include <functional>
#include <string>

namespace pellamo {

// URL-encodes form data: blank to "+", letters and digits kept, every other
// byte as "%XX" (upper-case hexadecimal). GBK text is encoded byte by byte.
class TNMURL {
public:
    using TOnErrorEvent = std::function<void(TNMURL& sender, const std::string& operation, const std::string& message)>;

    const std::string& InputString() const { return m_input; }
    void SetInputString(std::string input) { m_input = std::move(input); }
    TOnErrorEvent OnError;

    // On failure OnError is told and the input comes back unchanged.
    std::string EncodedText();

    static constexpr size_t kMaxInput = 65535;

private:
    std::string m_input;
};

}
