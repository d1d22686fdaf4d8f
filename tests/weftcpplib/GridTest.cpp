#include <gtest/gtest.h>

#include <new>
#include <string>

#include "weftcpplib/WeftException.h"
#include "weftcpplib/weft2darray.h"

using weftcpplib::weft2darray;
using weftcpplib::weft2dmapper;
using weftcpplib::WeftExceptionF;

namespace {

// Runs an access that must fail and returns the exception's message.
template <typename Access>
std::wstring OutOfRangeMessage(Access access)
{
    try {
        access();
    } catch (const WeftExceptionF& e) {
        return e.Message();
    }
    ADD_FAILURE() << "no exception";
    return {};
}

const std::wstring kMapperText = L" 横位置または縦位置が範囲外です";
const std::wstring kArrayText = L" 行または列インデックスが範囲外です";

} // namespace

TEST(Grid, NewGridIsAllZero)
{
    weft2dmapper<short> grid(130, 130);
    EXPECT_EQ(grid.cols, 130u);
    EXPECT_EQ(grid.rows, 130u);
    EXPECT_FALSE(grid.empty());
    for (std::size_t i = 0; i < 130u * 130u; ++i)
        ASSERT_EQ(grid.data[i], 0);
}

TEST(Grid, MapperAddressesByXThenY)
{
    weft2dmapper<short> grid(10, 4);
    EXPECT_EQ(grid.cols, 10u);
    EXPECT_EQ(grid.rows, 4u);
    EXPECT_EQ(&grid.at(9, 3), grid.data + 39);
    EXPECT_EQ(&grid.at(3, 1), grid.data + 13);

    grid.at(2, 1) = 77;
    EXPECT_EQ(OutOfRangeMessage([&] { grid.at(10, 0); }),
              L"weftcpplib::weft2dmapper<short>::at(10,0)" + kMapperText);
    EXPECT_EQ(OutOfRangeMessage([&] { grid.at(0, 4); }), L"weftcpplib::weft2dmapper<short>::at(0,4)" + kMapperText);
    EXPECT_EQ(OutOfRangeMessage([&] { grid.at(-1, 0); }),
              L"weftcpplib::weft2dmapper<short>::at(-1,0)" + kMapperText);
    EXPECT_EQ(grid.at(2, 1), 77) << "a failed access changes nothing";

    // Through the base class the mapper keeps its own argument order and text.
    weft2darray<short>& base = grid;
    EXPECT_EQ(&base.at(9, 3), grid.data + 39);
    EXPECT_EQ(OutOfRangeMessage([&] { base.at(3, 9); }), L"weftcpplib::weft2dmapper<short>::at(3,9)" + kMapperText);
}

TEST(Grid, ArrayAddressesByRowThenColumn)
{
    weft2darray<short> grid(4, 10);
    EXPECT_EQ(grid.rows, 4u);
    EXPECT_EQ(grid.cols, 10u);
    EXPECT_EQ(&grid.at(3, 9), grid.data + 39);
    EXPECT_EQ(OutOfRangeMessage([&] { grid.at(4, 0); }), L"weftcpplib::weft2darray<short>::at(4,0)" + kArrayText);
    EXPECT_EQ(OutOfRangeMessage([&] { grid.at(0, 10); }), L"weftcpplib::weft2darray<short>::at(0,10)" + kArrayText);
}

TEST(Grid, ResizeFollowsEachTemplatesArgumentOrder)
{
    weft2darray<short> array(2, 2);
    array.resize(3, 7);
    EXPECT_EQ(array.rows, 3u);
    EXPECT_EQ(array.cols, 7u);

    weft2dmapper<short> mapper(2, 2);
    mapper.resize(3, 7);
    EXPECT_EQ(mapper.cols, 3u);
    EXPECT_EQ(mapper.rows, 7u);
    mapper.fill(5);
    EXPECT_EQ(mapper.at(2, 6), 5);
}

TEST(Grid, EmptyGridIgnoresFillAndAssignAndRejectsEveryAccess)
{
    weft2darray<short> grid(3, 3);
    grid.resize(0, 5);
    EXPECT_TRUE(grid.empty());
    grid.fill(9);
    grid.assign({{1, 2}, {3, 4}});
    EXPECT_THROW(grid.at(0, 0), WeftExceptionF);

    weft2dmapper<short> mapper(3, 3);
    mapper.resize(0, 5);
    EXPECT_TRUE(mapper.empty());
    mapper.fill(9);
    mapper.assign({{1, 2}, {3, 4}});
    EXPECT_THROW(mapper.at(0, 0), WeftExceptionF);
    EXPECT_THROW(mapper.at(0, 4), WeftExceptionF);
}

TEST(Grid, AssignCopiesWhatFitsAndKeepsTheRest)
{
    weft2darray<short> grid(2, 3);
    grid.fill(9);
    grid.assign({{1, 2}, {3, 4}, {5, 6}});
    EXPECT_EQ(grid.at(0, 0), 1);
    EXPECT_EQ(grid.at(0, 1), 2);
    EXPECT_EQ(grid.at(0, 2), 9);
    EXPECT_EQ(grid.at(1, 0), 3);
    EXPECT_EQ(grid.at(1, 2), 9);

    // Long inner lists are cut at the row's end rather than spilling over.
    grid.assign({{7, 7, 7, 7, 7}, {}});
    EXPECT_EQ(grid.at(0, 2), 7);
    EXPECT_EQ(grid.at(1, 0), 3);
}

TEST(Grid, CopyIsIndependentAndSwapExchangesBlocks)
{
    weft2dmapper<short> source(4, 3);
    source.at(3, 2) = 42;
    weft2dmapper<short> copy(source);
    source.fill(1);
    EXPECT_EQ(copy.cols, 4u);
    EXPECT_EQ(copy.rows, 3u);
    EXPECT_EQ(copy.at(3, 2), 42);
    EXPECT_EQ(copy.at(0, 0), 0);
    EXPECT_NE(copy.data, source.data);

    weft2dmapper<short> other(2, 5);
    short* const source_block = source.data;
    source.swap(other);
    EXPECT_EQ(other.data, source_block);
    EXPECT_EQ(other.cols, 4u);
    EXPECT_EQ(source.cols, 2u);
    EXPECT_EQ(source.rows, 5u);
}

TEST(Grid, OversizedBlocksFailAsAllocationFailures)
{
    weft2dmapper<short> grid(8, 8);
    // Over 2^31 cells of two bytes: the byte size does not fit in 32 bits.
    EXPECT_THROW(grid.resize(65536, 32768), std::bad_alloc);
    EXPECT_TRUE(grid.empty());
    EXPECT_EQ(grid.data, nullptr);
    // A cell count whose byte size wraps around 64 bits must fail too.
    EXPECT_THROW(grid.resize(3037000500u, 3037000500u), std::bad_alloc);
    EXPECT_THROW((weft2darray<short>(70000, 70000)), std::bad_alloc);
    grid.resize(16, 16);
    EXPECT_EQ(grid.cols, 16u);
}
