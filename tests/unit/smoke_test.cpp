#include <gtest/gtest.h>
#include "driver/name_style.h"
TEST(NameStyle, Smoke) { EXPECT_EQ(name_style("gen_image", 2), "GenImage"); }
