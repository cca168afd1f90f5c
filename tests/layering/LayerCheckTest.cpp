#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "tests/layering/check/LayerCheck.h"
#include "tests/testkit/TestInstallation.h"

namespace fs = std::filesystem;

namespace {

// A small source tree with its layer map: low <- high <- app (app and the folders below it), and a Qt
// layer gui on low.
class LayerTree : public ::testing::Test {
protected:
    void SetUp() override { root_ = TTestInstallation::MakeTempFolder("tdef-layers"); }
    void TearDown() override { fs::remove_all(root_); }

    void Write(const std::string& file, const std::string& text) {
        const fs::path path = fs::path(root_) / file;
        fs::create_directories(path.parent_path());
        std::ofstream(path) << text;
    }
    std::vector<std::string> Check() {
        const TLayerMap map = TLayerMap::Parse(
            "low lib/low - - low\n"
            "high lib/high low - high\n"
            "gui lib/gui low qt gui\n"
            "app app/** high - app\n");
        std::vector<std::string> texts;
        for (const TLayerViolation& violation : CheckLayering(map, root_)) texts.push_back(violation.Text());
        return texts;
    }

    std::string root_;
};

}  // namespace

TEST_F(LayerTree, DownwardIncludesPassAndAPlantedUpwardIncludeIsNamedByFileAndLine) {
    Write("lib/low/Low.h", "#pragma once\n");
    Write("lib/high/High.h", "#pragma once\n#include \"lib/low/Low.h\"\n");
    Write("app/sub/Sibling.h", "#pragma once\n");
    Write("app/sub/Deep.cpp", "#include \"Sibling.h\"\n#include \"lib/high/High.h\"\n#include \"lib/low/Low.h\"\n");
    Write("lib/gui/View.cpp", "#include <QWidget>\n#include \"lib/low/Low.h\"\n");
    Write("tests/AnythingTest.cpp", "#include \"app/sub/Sibling.h\"\n#include <QWidget>\n");
    EXPECT_TRUE(Check().empty());

    Write("lib/low/Planted.cpp", "// planted\n#include <string>\n  #  include \"lib/high/High.h\"\n");
    EXPECT_EQ(Check(), std::vector<std::string>{"lib/low/Planted.cpp:3: includes \"lib/high/High.h\" of layer high, "
                                                "which layer low does not stand on"});
}

TEST_F(LayerTree, SiblingsQtAndFilesOutsideEveryLayerAreReported) {
    Write("lib/low/Low.h", "#pragma once\n");
    Write("lib/gui/View.h", "#pragma once\n#include <QtWidgets/QWidget>\n");
    Write("lib/high/UsesGui.cpp", "#include \"lib/gui/View.h\"\n");
    Write("lib/low/Window.cpp", "#include <vector>\n#include <QApplication>\n");
    Write("stray/Orphan.h", "#pragma once\n");
    Write("app/App.cpp", "#include \"stray/Orphan.h\"\n#include \"missing/Generated.h\"\n");
    EXPECT_EQ(Check(), (std::vector<std::string>{
                           "app/App.cpp:1: includes \"stray/Orphan.h\", which belongs to no layer",
                           "lib/high/UsesGui.cpp:1: includes \"lib/gui/View.h\" of layer gui, which layer high "
                           "does not stand on",
                           "lib/low/Window.cpp:2: includes <QApplication>, but layer low may not include Qt",
                           "stray/Orphan.h: belongs to no layer declared in CMakeLists.txt",
                       }));
}

TEST(LayerMap, ReachIsTransitiveAndTheLongestFolderWins) {
    const TLayerMap map = TLayerMap::Parse(
        "rtl toolkit/rtl - - rtl\n"
        "data toolkit/data rtl - data\n"
        "toolkit - data - toolkit\n"
        "ui toolkit/ui/** data - ui\n"
        "widgets toolkit/ui/widgets toolkit - widgets\n");
    EXPECT_TRUE(map.MayUse("widgets", "rtl"));
    EXPECT_TRUE(map.MayUse("ui", "ui"));
    EXPECT_FALSE(map.MayUse("rtl", "data"));
    EXPECT_FALSE(map.MayUse("widgets", "ui"));
    EXPECT_EQ(map.LayerOf("toolkit/ui/grids/Grid.h")->Name, "ui");
    EXPECT_EQ(map.LayerOf("toolkit/ui/widgets/Edit.h")->Name, "widgets");
    EXPECT_EQ(map.LayerOf("toolkit/ui/widgets/more/Edit.h")->Name, "ui");
    EXPECT_EQ(map.LayerOf("toolkit/rtl/sub/X.h"), nullptr);
    EXPECT_EQ(map.LayerOf("toolkit/X.h"), nullptr);

    EXPECT_THROW(TLayerMap::Parse("a x b - a\n"), std::runtime_error);  // b is not declared before a
    EXPECT_THROW(TLayerMap::Parse("a x\n"), std::runtime_error);
}
