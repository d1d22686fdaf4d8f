#include <gtest/gtest.h>

#include <vector>

#include "ui/PlayListEdit.h"

namespace {

std::vector<config::SceneData> ScenesWithOrders(std::initializer_list<int> orders)
{
    std::vector<config::SceneData> scenes;
    std::int16_t no = 1;
    for (int order : orders) {
        config::SceneData scene{};
        scene.no = no++;
        scene.order = static_cast<std::int16_t>(order);
        scenes.push_back(scene);
    }
    return scenes;
}

std::vector<int> Orders(const std::vector<config::SceneData>& scenes)
{
    std::vector<int> orders;
    for (const config::SceneData& s : scenes)
        orders.push_back(s.order);
    return orders;
}

TEST(PlayListEdit, RemoveClosesTheGap)
{
    auto scenes = ScenesWithOrders({2, -1, 0, 1});
    ui::RemoveFromPlayList(scenes, scenes[3]);  // position 1 of three
    EXPECT_EQ(Orders(scenes), (std::vector<int>{1, -1, 0, -1}));
    ui::RemoveFromPlayList(scenes, scenes[2]);
    EXPECT_EQ(Orders(scenes), (std::vector<int>{0, -1, -1, -1}));
}

TEST(PlayListEdit, RemovingASceneOutsideTheListChangesNothing)
{
    auto scenes = ScenesWithOrders({0, -1, 1});
    ui::RemoveFromPlayList(scenes, scenes[1]);
    EXPECT_EQ(Orders(scenes), (std::vector<int>{0, -1, 1}));
}

TEST(PlayListEdit, AppendGoesToTheEndOnce)
{
    auto scenes = ScenesWithOrders({0, -1, 1});
    EXPECT_FALSE(ui::AppendToPlayList(scenes[0], 2));
    EXPECT_TRUE(ui::AppendToPlayList(scenes[1], 2));
    EXPECT_EQ(Orders(scenes), (std::vector<int>{0, 2, 1}));
    EXPECT_FALSE(ui::AppendToPlayList(scenes[1], 3));
    EXPECT_EQ(scenes[1].order, 2);
}

TEST(PlayListEdit, EditsKeepOrdersContiguous)
{
    auto scenes = ScenesWithOrders({-1, 0, -1, 1, 2});
    ui::SwapPlayListNeighbours(scenes[1], scenes[3]);
    EXPECT_EQ(Orders(scenes), (std::vector<int>{-1, 1, -1, 0, 2}));
    ui::AppendToPlayList(scenes[0], 3);
    ui::RemoveFromPlayList(scenes, scenes[1]);
    EXPECT_EQ(Orders(scenes), (std::vector<int>{2, -1, -1, 0, 1}));
}

TEST(PlayListEdit, EntryText)
{
    config::SceneData scene{};
    scene.no = 7;
    const char16_t name[] = u"グライダー";
    for (std::size_t i = 0; name[i] != 0; ++i)
        scene.name[i] = static_cast<platform::utf16_unit>(name[i]);
    EXPECT_EQ(ui::SceneEntryText(scene), L"  7 : グライダー");
    scene.no = 140;
    for (auto& unit : scene.name)
        unit = u'W';  // a full field without its NUL stops at 16 units
    EXPECT_EQ(ui::SceneEntryText(scene), L"140 : WWWWWWWWWWWWWWWW");
}

} // namespace
