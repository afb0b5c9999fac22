#include <gtest/gtest.h>

#include "common/Paths.h"

namespace glimmora {
namespace {

TEST(PathText, JoinsAndTrimsAroundTheRoot) {
  EXPECT_EQ(JoinPath("/", "a"), "/a");
  EXPECT_EQ(JoinPath("/home/u", "a"), "/home/u/a");
  EXPECT_EQ(JoinPath("/home/u/", "a"), "/home/u/a");
  EXPECT_EQ(JoinPath("", "a"), "a");
  EXPECT_EQ(DropTrailingSlash("/a/b/"), "/a/b");
  EXPECT_EQ(DropTrailingSlash("/"), "/");
  EXPECT_EQ(DropTrailingSlash("//"), "/");
  EXPECT_EQ(DropTrailingSlash(""), "");
  EXPECT_EQ(FolderOfPath("/usr/bin/ed"), "/usr/bin");
  EXPECT_EQ(FolderOfPath("/ed"), "/");
  EXPECT_EQ(FolderOfPath("ed"), "");
  EXPECT_EQ(NameOfPath("/usr/bin/ed"), "ed");
  EXPECT_EQ(JoinPath(FolderOfPath("/ed"), NameOfPath("/ed")), "/ed");
}

}  // namespace
}  // namespace glimmora
