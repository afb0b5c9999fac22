#include <gtest/gtest.h>

#include "shared/WebAddress.h"
#include "text/AsciiCase.h"
#include "support/ScriptedShell.h"

namespace glimmora {
namespace {

TEST(WebAddressRule, AddressesAsOpened) {
  struct Case {
    std::string address, kind, opened;
  };
  const Case cases[] = {
      {"WwW.Example.COM/Path   ", "web", "http://WwW.Example.COM/Path"},
      {std::string("x.org\0\0 ", 8), "WEB", "http://x.org"},
      {"  x.org", "WEB", "http://x.org"},
      {"x.org:8080/a", "WEB", "http://x.org:8080/a"},
      {"ftp://Files.x.org", "WEB", "ftp://Files.x.org"},
      {"FTP://x", "Web", "FTP://x"},
      {"https://x.org/A?b=C", "WEB", "https://x.org/A?b=C"},
      {"mailto:A@b.c", "WEB", "mailto:A@b.c"},
      {"Support@X.com", "Mail", "mailto:Support@X.com"},
      {"MAILTO:a@b.c", "MAIL", "MAILTO:a@b.c"},
      {"ftp://x", "MAIL", "mailto:ftp://x"},
      {"x.org", "other", "x.org"},
      {"   ", "WEB", ""},
      // Other schemes only ever reach a browser, as part of a web address.
      {"file:///etc/passwd", "WEB", "http://file:///etc/passwd"},
      {"SMB://host/share", "web", "http://SMB://host/share"},
      {"x-program://run", "WEB", "http://x-program://run"},
      {"file:///etc/passwd", "MAIL", "mailto:file:///etc/passwd"},
      // A mail link keeps only the fields a message needs: no file to attach, by any spelling.
      {"mailto:a@b.c?subject=Hi&attach=/etc/passwd&body=x&Attachment=~/.ssh/id_rsa&%61ttach=y&cc=d@e.f",
       "WEB", "mailto:a@b.c?subject=Hi&body=x&cc=d@e.f"},
      {"a@b.c?attach=/x", "MAIL", "mailto:a@b.c"},
  };
  for (const Case& c : cases) {
    const std::string opened = WebAddressToOpen(c.address, c.kind);
    EXPECT_EQ(opened, c.opened) << c.address;
    if (!opened.empty() && !EqualsIgnoringCase(c.kind, "other")) {
      EXPECT_TRUE(IsAddressToOpen(opened)) << opened;
    }
  }
  for (const char* refused : {"file:///etc/passwd", "smb://host/share", "x.org", " http://x.org", "javascript:x", ""})
    EXPECT_FALSE(IsAddressToOpen(refused)) << refused;

  testing::RecordingWebOpener opener;
  EXPECT_EQ(OpenWebAddress(opener, "x.org", "WEB"), "http://x.org");
  EXPECT_EQ(OpenWebAddress(opener, " ", "MAIL"), "");
  EXPECT_EQ(opener.opened, std::vector<std::string>{"http://x.org"});
}

}  // namespace
}  // namespace glimmora
