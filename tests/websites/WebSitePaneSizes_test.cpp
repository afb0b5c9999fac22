#include "websites/WebSitePaneSizes.h"

#include <gtest/gtest.h>

namespace glimmora {
namespace {

TEST(WebSitePaneSizes, SavedListHeightIsTakenWithinThePagesLimits) {
  // Nothing saved: three quarters of the page, halves to even.
  EXPECT_EQ(WebListHeightFromSaved(0, 8000), 6000);
  EXPECT_EQ(WebListHeightFromSaved(0, 10002), 7502);  // 7501.5 -> 7502
  EXPECT_EQ(WebListHeightFromSaved(0, 10006), 7504);  // 7504.5 -> 7504
  EXPECT_EQ(WebListHeightFromSaved(1, 8000), 600);
  EXPECT_EQ(WebListHeightFromSaved(599, 8000), 600);
  EXPECT_EQ(WebListHeightFromSaved(600, 8000), 600);
  EXPECT_EQ(WebListHeightFromSaved(6800, 8000), 6800);
  EXPECT_EQ(WebListHeightFromSaved(6801, 8000), 6800);
  // A page too low for both limits: the upper one wins.
  EXPECT_EQ(WebListHeightFromSaved(900, 1500), 300);
  EXPECT_EQ(ClampWebListHeight(100, 1500), 300);
}

}  // namespace
}  // namespace glimmora
