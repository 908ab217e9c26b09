// Facts about the product itself, kept in one place.
#pragma once

namespace brimlow {

inline constexpr const char* kProductName = "Brimlow";
inline constexpr const char* kVersionText = "2.86";
// The maker as the installer's uninstall entry names it.
inline constexpr const char* kPublisher = "brimlow.org";

// Every link label opens the home page; the Help menu and the HTML export also name the product page.
inline constexpr const char* kHomePage = "https://www.brimlow.org/";
inline constexpr const char* kHomePageCaption = "https://www.brimlow.org";
inline constexpr const char* kProductPage = "https://www.brimlow.org/brimlow/";
// The About window's second link.
inline constexpr const char* kContactPage = "https://www.brimlow.org/contact/";
// Where the error reports that some messages ask for go.
inline constexpr const char* kSupportAddress = "support@brimlow.org";

}  // namespace brimlow
