#include <gtest/gtest.h>

#include "shell/spiel.h"

TEST(Build, Links) { EXPECT_EQ(GS_EXIT, 9); }
