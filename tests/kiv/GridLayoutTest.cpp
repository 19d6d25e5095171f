#include "Support/TestWidgets.h"

#include "kiv/Layouts/GridLayout.h"
#include "kiv/Layouts/GridLayoutBuilder.h"
#include "kiv/Layouts/GridLayoutRules.h"
#include "kiv/Layouts/LinearLayouts.h"

#include <gtest/gtest.h>

using namespace Kiv;
using KivTest::Probe;

namespace
{

// Measures a grid and its children the way the desktop's passes do, then gives it a size.
void lay_out(GridLayout& a_grid, int32_t a_width, int32_t a_height)
{
    for (Widget* child : a_grid.get_children())
        child->measure();
    a_grid.measure();
    a_grid.set_geometry(0, 0, a_width, a_height);
    WidgetEvent event{&a_grid};
    a_grid.on_arrange().emit(event);
}

Bex::Vector<int32_t> column_sizes(const GridLayout& a_grid)
{
    Bex::Vector<int32_t> sizes;
    for (const GridLayoutVector& vector : a_grid.get_vectors(GridLayoutAxisType_HORIZONTAL))
        sizes.push_back(vector.size);
    return sizes;
}

struct GridFixture : ::testing::Test
{
    GridFixture()
    {
        grid->set_horizontally_stretchable(true);
        grid->set_vertically_stretchable(true);
    }
    ~GridFixture() override { grid->destroy(); }

    Probe* add(uint32_t a_row, uint32_t a_column, int32_t a_minimum_width,
               int32_t a_maximum_width = 65536, uint32_t a_column_span = 1)
    {
        auto* probe = new Probe("", a_minimum_width, 10);
        probe->set_content(a_minimum_width, a_maximum_width, 10, 10);
        grid->set_child(a_row, a_column, probe, 1, a_column_span);
        return probe;
    }

    GridLayout* grid = new GridLayout(1, 3);
};

} // namespace

TEST_F(GridFixture, SmallestColumnsAreLevelledFirstThenShared)
{
    add(0, 0, 10);
    add(0, 1, 20);
    add(0, 2, 40);
    lay_out(*grid, 106, 10);
    EXPECT_EQ(column_sizes(*grid), (Bex::Vector<int32_t>{25, 25, 40}));
    EXPECT_EQ(grid->get_measured_sizes().get().minimum_width, 86);

    // Extra 114: levelling brings all three to 40 (extra 64), sharing gives 21 each and the last
    // pixel to the first column.
    lay_out(*grid, 200, 10);
    EXPECT_EQ(column_sizes(*grid), (Bex::Vector<int32_t>{62, 61, 61}));
    EXPECT_EQ(grid->get_child(0, 1)->get_rect(), (Rect{70, 0, 61, 10}));
}

TEST_F(GridFixture, EqualColumnsTakeTheLargestMinimum)
{
    grid->set_equal(GridLayoutAxisType_HORIZONTAL, true);
    add(0, 0, 10);
    add(0, 1, 30);
    lay_out(*grid, 0, 10);
    EXPECT_EQ(column_sizes(*grid), (Bex::Vector<int32_t>{30, 30, 30}));
}

TEST_F(GridFixture, SpanWidensOnlyItsFirstColumnAndItsFarPartHits)
{
    grid->resize(2, 2);
    grid->set_spacing(GridLayoutAxisType_HORIZONTAL, 4);
    add(0, 0, 10);
    add(0, 1, 10);
    Probe* wide = add(1, 0, 50, 65536, 2);
    lay_out(*grid, 0, 0);
    EXPECT_EQ(column_sizes(*grid), (Bex::Vector<int32_t>{36, 10}));
    EXPECT_EQ(wide->get_rect(), (Rect{0, 18, 50, 10}));
    EXPECT_EQ(grid->get_child_at(45, 20, 0), wide);
    // The spacing between columns belongs to no cell.
    EXPECT_EQ(grid->get_child_at(38, 5, 0), nullptr);
}

TEST_F(GridFixture, LongCellsAreAlignedAndNoneMeansStart)
{
    add(0, 0, 10, 20);
    grid->resize(1, 1);
    lay_out(*grid, 100, 10);
    EXPECT_EQ(grid->get_child(0, 0)->get_rect(), (Rect{40, 0, 20, 10}));
    grid->set_alignment(GridLayoutAlignmentFlag_RIGHT);
    lay_out(*grid, 100, 10);
    EXPECT_EQ(grid->get_child(0, 0)->get_x(), 80);
    grid->set_alignment(0);
    lay_out(*grid, 100, 10);
    EXPECT_EQ(grid->get_child(0, 0)->get_x(), 0);
}

TEST(GridLayoutEmptyTest, EmptyGridsMeasureZero)
{
    auto* grid = new GridLayout();
    grid->measure();
    EXPECT_EQ(grid->get_measured_sizes().get().minimum_width, 0);
    EXPECT_EQ(grid->get_measured_sizes().get().maximum_width, 0);
    grid->set_horizontally_stretchable(true);
    grid->measure();
    EXPECT_EQ(grid->get_measured_sizes().get().maximum_width, 65536);
    grid->destroy();
}

TEST(GridLayoutRulesTest, SharingStopsWhenEveryVectorIsFull)
{
    Bex::Vector<GridLayoutVector> vectors(3);
    for (GridLayoutVector& vector : vectors)
    {
        vector.minimum = 5;
        vector.maximum = 10;
    }
    vectors[2].maximum = 5;
    GridLayoutRules::distribute(vectors, 2, 1000);
    EXPECT_EQ(vectors[0].size, 10);
    EXPECT_EQ(vectors[1].size, 10);
    EXPECT_EQ(vectors[2].size, 5);

    // Less room than the minimums need: everything stays at its minimum.
    GridLayoutRules::distribute(vectors, 2, 3);
    EXPECT_EQ(vectors[0].size, 5);
}

TEST(GridLayoutBuilderTest, FillsRowsAroundSpansAndStopsAtTheEnd)
{
    auto* grid = new GridLayout(2, 2);
    GridLayoutBuilder builder(*grid);
    auto* wide = new Widget();
    builder.push(wide, 2).push(new Widget());
    EXPECT_EQ(builder.get_row(), 1u);
    EXPECT_EQ(builder.get_column(), 1u);
    builder.skip();
    EXPECT_FALSE(builder.can_push(1));
    auto* extra = new Widget();
    EXPECT_THROW(builder.push(extra), Bex::Exception);
    delete extra;
    EXPECT_EQ(grid->get_child(0, 0), wide);
    grid->destroy();
}

TEST(LinearLayoutTest, AddingGrowsOneAxisAndRemovalEmptiesTheCell)
{
    auto* row = new HorizontalLayout();
    auto* first = new Probe("", 10);
    row->add(first);
    row->add(new Probe("", 20));
    EXPECT_EQ(row->get_column_count(), 2u);
    first->destroy();
    EXPECT_EQ(row->get_child(0, 0), nullptr);
    row->get_child(0, 1)->measure();
    row->measure();
    EXPECT_EQ(row->get_measured_sizes().get().minimum_width, 28);
    EXPECT_TRUE(row->get_widget_class().derives_from(GridLayout::s_widget_class));
    row->destroy();
}
