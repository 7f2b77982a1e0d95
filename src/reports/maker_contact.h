#pragma once

namespace tavrin {

// The maker's addresses, on the reserved example domain until the product ships.
inline constexpr const char* kMakerWebSite = "https://www.corvane.example/";
inline constexpr const char* kProductIndexPage = "https://www.corvane.example/strumenti_misura_laser/INDEX.htm";
inline constexpr const char* kSalesAddress = "sales@corvane.example";
inline constexpr const char* kRequestSubject = "Request Head Info";

}  // namespace tavrin
