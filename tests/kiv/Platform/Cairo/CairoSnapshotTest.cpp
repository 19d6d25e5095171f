#include "Support/ImageInspection.h"
#include "Support/TestWidgets.h"
#include "kiv/Platform/Cairo/CairoImage.h"

#include "bex/Platform/FileSystem.h"
#include "kiv/Desktop/OffscreenDesktop.h"
#include "kiv/Layouts/GridLayout.h"
#include "kiv/Layouts/LinearLayouts.h"
#include "kiv/Platform/Cairo/CairoSnapshot.h"
#include "kiv/Styles/StyleDeclarationBlock.h"
#include "kiv/Styles/StyleDescriptions.h"
#include "kiv/Styles/StyleRegistry.h"
#include "kiv/Styles/StyleSheet.h"
#include "kiv/Styles/StyleSheetBuilder.h"
#include "kiv/Widget/WidgetPainter.h"
#include "kiv/Widget/WidgetStyleManager.h"

#include <gtest/gtest.h>

#include <map>

using namespace Kiv;
using KivTest::Panel;

namespace
{

constexpr Color g_desktop_color{0xFF1E2630u};
constexpr Color g_panel_color{0xFF3A4A5Cu};
constexpr Color g_light_edge{0xFF8FA8C0u};
constexpr Color g_dark_edge{0xFF0C1014u};
constexpr Color g_text_color{0xFFF2E6C8u};

// Paints each panel's caption centred in its content and underlined, as a label would, and
// remembers where the caption's box landed on the desktop.
struct Captions : Bex::Trackable
{
    std::map<const Widget*, Bex::String> texts;
    std::map<const Widget*, Rect> boxes;

    void paint(WidgetEvents::OnPaint& a_event)
    {
        a_event.painter.select_area(WidgetArea_CONTENT);
        Painter& painter = a_event.painter.get_painter();
        const Widget& widget = *a_event.widget;
        const Size area = a_event.painter.get_area_size();
        const Size size = painter.measure_text(texts.at(&widget), widget.get_font());
        const Point origin{(area.width - size.width) / 2, (area.height - size.height) / 2};
        painter.draw_text(texts.at(&widget), origin, widget.get_font(), widget.get_text_color());
        const int32_t underline = origin.y + size.height + 1;
        painter.draw_line({origin.x, underline}, {origin.x + size.width - 1, underline},
                          Pen{widget.get_text_color(), 0});
        const Point corner = widget.get_desktop_position();
        const Rect content = widget.get_area(WidgetArea_CONTENT);
        boxes[&widget] = Rect{origin.x, origin.y, size.width, size.height}.moved(
            corner.x + content.x, corner.y + content.y);
    }
};

std::unique_ptr<StyleSheet> make_sheet()
{
    auto sheet = std::make_unique<StyleSheet>(WidgetClassList::get_global());
    StyleSheetBuilder builder(*sheet, StyleRegistry::get_global());
    const auto set = [&](uint32_t a_property, StyleValue* a_value)
    { builder.property(Widget::s_widget_class.get_index(), a_property, a_value); };
    builder.begin_class(Desktop::s_widget_class.get_index());
    set(WidgetStyleManager::Property_BACKGROUND,
        StyleValueReference(new StyleValue_Brush(Brush{g_desktop_color})).get());
    builder.end_class();
    builder.begin_class(HorizontalLayout::s_widget_class.get_index());
    set(WidgetStyleManager::Property_PADDING, KivTest::dimension(8).get());
    builder.end_class();
    builder.begin_class(Panel::s_widget_class.get_index());
    const Frame frame{Border::make_single(g_light_edge, g_dark_edge), Brush{g_panel_color}};
    set(WidgetStyleManager::Property_FRAME, StyleValueReference(new StyleValue_Frame(frame)).get());
    set(WidgetStyleManager::Property_PADDING, KivTest::dimension(4).get());
    const StyleDimension size = StyleDimension::make(10, StyleDimensionUnit_PT);
    set(WidgetStyleManager::Property_FONT,
        StyleValueReference(new StyleValue_Font(u"DejaVu Sans", size)).get());
    set(WidgetStyleManager::Property_TEXT_COLOR,
        StyleValueReference(new StyleValue_Color(g_text_color)).get());
    builder.end_class();
    return sheet;
}

} // namespace

TEST(CairoSnapshotTest, StyledTreeShowsTheSheetsColoursAndIsSaved)
{
    Application& application = KivTest::application();
    application.set_style_sheet(make_sheet());
    Captions captions;
    OffscreenDesktop desktop(application, {360, 72});
    auto* row = new HorizontalLayout();
    row->set_horizontally_stretchable(true);
    row->set_vertically_stretchable(true);
    for (const char16_t* text : {u"Rate 0.35 Hz", u"Depth 60 %", u"Mix: wet"})
    {
        auto* panel = new Panel();
        panel->set_horizontally_stretchable(true);
        panel->set_vertically_stretchable(true);
        panel->on_paint().connect(&captions, &Captions::paint);
        captions.texts[panel] = text;
        row->add(panel);
    }
    row->set_parent(&desktop);
    const CairoImage image = snapshot_desktop(desktop);
    application.set_style_sheet(nullptr);

    EXPECT_EQ(image.get_pixel(4, 4), g_desktop_color);
    for (const Widget* panel : row->get_children())
    {
        const Point corner = panel->get_desktop_position();
        const Rect rect{corner.x, corner.y, panel->get_width(), panel->get_height()};
        const int32_t right = rect.x + rect.width - 1;
        const int32_t bottom = rect.y + rect.height - 1;
        ASSERT_GT(rect.width, 40);
        EXPECT_EQ(image.get_pixel(rect.x, bottom - 1), g_light_edge);
        EXPECT_EQ(image.get_pixel(right - 1, rect.y), g_light_edge);
        EXPECT_EQ(image.get_pixel(right, rect.y + 1), g_dark_edge);
        EXPECT_EQ(image.get_pixel(rect.x + 1, bottom), g_dark_edge);
        EXPECT_EQ(image.get_pixel(rect.x + 1, rect.y + 1), g_panel_color);
        EXPECT_EQ(image.get_pixel(right + 1, rect.y), g_desktop_color);

        // Inside the border only the caption and its underline differ from the panel.
        const Rect box = captions.boxes.at(panel);
        const Rect caption = box.united({box.x, box.y + box.height + 1, box.width, 1});
        int32_t text_pixels = 0;
        for (int32_t y = rect.y + 1; y < bottom; ++y)
        {
            for (int32_t x = rect.x + 1; x < right; ++x)
            {
                const Color color = image.get_pixel(x, y);
                EXPECT_TRUE(color == g_panel_color || caption.contains(x, y)) << x << "," << y;
                text_pixels += color == g_text_color ? 1 : 0;
            }
        }
        EXPECT_GT(text_pixels, box.width);
    }
    image.write_png(KivTest::snapshot_folder() + u"/toolkit.png");
}

namespace
{

// The value a class description of the sheet gives a property, searching a subclass block too.
const StyleValue* declared(const StyleSheet& a_sheet, const WidgetClass& a_class,
                           uint32_t a_property, const char16_t* a_subclass = nullptr)
{
    const StyleClassDescription* description = a_sheet.find_class(a_class.get_index());
    if (!description)
        return nullptr;
    const StyleDeclarationBlock* block = &description->get_block();
    if (a_subclass)
    {
        const StyleSubclassDescription* subclass = description->find_subclass(a_subclass);
        if (!subclass)
            return nullptr;
        block = &subclass->get_block();
    }
    for (const auto& entry : block->get_entries())
    {
        const auto* property = dynamic_cast<const StylePropertyValue*>(entry.get());
        if (property && property->get_property_id() == a_property)
            return &property->get_value();
    }
    return nullptr;
}

} // namespace

// The sheet we ship, parsed as the plug-in parses it, on a small tree: the pixels show the
// colours it declares, and the picture is kept for people to look at.
TEST(CairoSnapshotTest, TheShippedSheetPaintsWhatItDeclares)
{
    Application& application = KivTest::application();
    application.load_style_sheet(Bex::String::from_utf8(KIV_SHIPPED_STYLE_SHEET));
    const StyleSheet& sheet = *application.get_style_sheet();
    const StyleValue* ground =
        declared(sheet, Desktop::s_widget_class, WidgetStyleManager::Property_BACKGROUND);
    const StyleValue* panel_frame =
        declared(sheet, GridLayout::s_widget_class, WidgetStyleManager::Property_FRAME, u"Panel");
    const StyleValue* ink =
        declared(sheet, Widget::s_widget_class, WidgetStyleManager::Property_TEXT_COLOR);
    ASSERT_TRUE(ground && panel_frame && ink);
    // Copies: the values go with the sheet.
    const Frame frame = panel_frame->to_frame();
    const Color ground_color = ground->to_brush().color;
    const Color ink_color = ink->to_color();

    Captions captions;
    OffscreenDesktop desktop(application, {420, 96});
    auto* row = new HorizontalLayout();
    row->set_style_subclass(u"Page");
    row->set_horizontally_stretchable(true);
    row->set_vertically_stretchable(true);
    for (const char16_t* text : {u"Delay 15.0 ms", u"Depth 5.0 ms", u"Prést Ωmega 音"})
    {
        auto* group = new VerticalLayout();
        group->set_style_subclass(u"Panel");
        group->set_horizontally_stretchable(true);
        group->set_vertically_stretchable(true);
        auto* caption = new KivTest::Probe();
        caption->set_horizontally_stretchable(true);
        caption->set_vertically_stretchable(true);
        caption->on_paint().connect(&captions, &Captions::paint);
        captions.texts[caption] = text;
        group->add(caption);
        row->add(group);
    }
    row->set_parent(&desktop);
    const CairoImage image = snapshot_desktop(desktop);
    application.set_style_sheet(nullptr);

    EXPECT_EQ(image.get_pixel(1, 1), ground_color);
    for (const Widget* group : row->get_children())
    {
        const Point corner = group->get_desktop_position();
        const int32_t right = corner.x + group->get_width() - 1;
        const int32_t bottom = corner.y + group->get_height() - 1;
        EXPECT_EQ(image.get_pixel(corner.x, corner.y + 2), frame.border.get_color(0));
        EXPECT_EQ(image.get_pixel(right, corner.y + 2), frame.border.get_color(1));
        EXPECT_EQ(image.get_pixel(corner.x + 2, bottom), frame.border.get_color(1));
        EXPECT_EQ(image.get_pixel(corner.x + 2, corner.y + 2), frame.brush.color);
    }
    int32_t ink_pixels = 0;
    for (int32_t y = 0; y < image.get_size().height; ++y)
    {
        for (int32_t x = 0; x < image.get_size().width; ++x)
            ink_pixels += image.get_pixel(x, y) == ink_color ? 1 : 0;
    }
    EXPECT_GT(ink_pixels, 100);
    image.write_png(KivTest::snapshot_folder() + u"/shipped-style-sheet.png");
}
