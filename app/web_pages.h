#pragma once

namespace pellamo {

// Web pages the program opens in the user's browser.
inline constexpr const char* kMediaPlayerDownloadPage = "http://www.onlinedown.example/soft/3336.htm";
inline constexpr const char* kRealPlayerDownloadPage = "http://www.onlinedown.example/soft/7872.htm";
inline constexpr const char* kHomePage = "http://www.pellamo.example/";

}
