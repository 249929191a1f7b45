#include <gtest/gtest.h>

#include "widgets/file_filter.h"

TEST(FileFilter, pairsBecomeQtNameFilters) {
  EXPECT_EQ(QtNameFilters("証明書ファイル (*.pfx;*.p12)|*.pfx;*.p12|全てのファイル (*.*)|*.*"),
            (QStringList{"証明書ファイル (*.pfx *.p12)", "全てのファイル (*.*)"}));
  EXPECT_EQ(QtNameFilters("Text|*.txt"), QStringList{"Text (*.txt)"});
}
