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
  EXPECT_EQ(2u, DropTextLength(bytes, 6));
  EXPECT_EQ(1u, DropTextLength(bytes, 1)) << "a short read ends the text where the bytes end";
  EXPECT_EQ(0u, DropTextLength(bytes, 0));
  const char noZero[] = {'x', 'y', 'z'};
  EXPECT_EQ(3u, DropTextLength(noZero, 3)) << "nothing past the bytes read is used";
}

}  // namespace
}  // namespace dravel
