#include <gtest/gtest.h>

#include "dravel/drop_rules.h"

namespace dravel {
namespace {

TEST(DropRules, SizesUpTo65535BytesAreTaken) {
  EXPECT_TRUE(DropSizeAccepted(0));
  EXPECT_TRUE(DropSizeAccepted(65535));
  EXPECT_FALSE(DropSizeAccepted(65536));
  EXPECT_FALSE(DropSizeAccepted(0xFFFFFFFFull));
}

TEST(DropRules, TextEndsAtAZeroByteOrAtTheBytesRead) {
  const char bytes[] = {'a', 'b', '\0', 'c', 'x', 'y'};
  EXPECT_EQ("ab", DropText(bytes, 6));
  EXPECT_EQ("a", DropText(bytes, 1)) << "a short read ends the text where the bytes end";
  EXPECT_EQ("", DropText(bytes, 0));
  const char noZero[] = {'x', 'y', 'z'};
  EXPECT_EQ("xyz", DropText(noZero, 3)) << "nothing past the bytes read is used";
}

}  // namespace
}  // namespace dravel
