#include "Support/TestWidgets.h"

#include "kiv/Layouts/GridLayout.h"
#include "kiv/Styles/StyleRegistry.h"
#include "kiv/Styles/StyleSheet.h"
#include "kiv/Styles/StyleSheetBuilder.h"
#include "kiv/Widget/WidgetStyleManager.h"
#include "kiv/Widgets/FillerStyleManager.h"
#include "kiv/Widgets/KnobStyleManager.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Kiv;
using KivTest::Gauge;
using KivTest::Panel;

namespace
{

std::string message_of(const std::function<void()>& a_action)
{
    try
    {
        a_action();
    }
    catch (const Bex::Exception& a_exception)
    {
        return a_exception.describe();
    }
    return "no exception";
}

// A manager for a class of a private class list, for start-up errors.
class LocalManager : public StyleManager
{
public:
    LocalManager(StyleRegistry& a_registry, const WidgetClass& a_class)
        : StyleManager(a_registry), m_class(a_class)
    {
    }
    const WidgetClass* get_widget_class() override { return &m_class; }
    void register_properties(uint32_t) override
    {
        p_add_property("size", StyleValueType_INTEGER, 0);
    }

private:
    const WidgetClass& m_class;
};

struct StyleFixture : ::testing::Test
{
    StyleFixture() { KivTest::application(); }

    const StyleRegistry& registry = StyleRegistry::get_global();
    const WidgetClassList& classes = WidgetClassList::get_global();
    StyleSheet sheet{classes};
    StyleSheetBuilder builder{sheet, registry};
    uint32_t panel = Panel::s_widget_class.get_index();
    uint32_t gauge = Gauge::s_widget_class.get_index();
    uint32_t widget = Widget::s_widget_class.get_index();

    void level(uint32_t a_class, int32_t a_value)
    {
        StyleValueReference value(new StyleValue_Integer(a_value));
        builder.property(a_class, KivTest::TestProperty_LEVEL, value.get());
    }
};

} // namespace

TEST(StyleStartUp, RefusesRegistrationsThatCannotWork)
{
    {
        WidgetClassList list;
        WidgetClass root(list, "Root", "");
        WidgetClass orphan(list, "Orphan", "Missing");
        StyleRegistry registry;
        EXPECT_EQ(message_of([&] { registry.start_up(list); }), "Invalid base class name.");
    }
    {
        WidgetClassList list;
        WidgetClass root(list, "Root", "");
        StyleRegistry registry;
        LocalManager first(registry, root);
        LocalManager second(registry, root);
        EXPECT_EQ(message_of([&] { registry.start_up(list); }),
                  "This class already has a style manager.");
    }
    {
        WidgetClassList list;
        WidgetClass root(list, "Root", "");
        WidgetClass loose(list, "Loose", "");
        StyleRegistry registry;
        LocalManager manager(registry, root);
        EXPECT_EQ(message_of([&] { registry.start_up(list); }), "Something wrong.");
    }
    {
        WidgetClassList list;
        WidgetClass first(list, "First", "Second");
        WidgetClass second(list, "Second", "First");
        StyleRegistry registry;
        EXPECT_EQ(message_of([&] { registry.start_up(list); }),
                  "Widget class \"First\" derives from itself.");
    }
}

TEST(StyleStartUp, DerivedClassesUseTheNearestManagerAndSwitchNamesAreGlobal)
{
    WidgetClassList list;
    WidgetClass root(list, "Root", "");
    WidgetClass middle(list, "Middle", "Root");
    WidgetClass leaf(list, "Leaf", "Middle");
    StyleRegistry registry;
    LocalManager root_manager(registry, root);
    LocalManager middle_manager(registry, middle);
    registry.start_up(list);
    EXPECT_EQ(registry.get_effective_manager(leaf.get_index()), &middle_manager);
    EXPECT_EQ(registry.get_effective_manager(root.get_index()), &root_manager);
    EXPECT_EQ(registry.find_properties(u"size", StyleValueType_INTEGER)->size(), 2u);

    registry.add_switch(&root_manager, u"busy", 0);
    EXPECT_EQ(message_of([&] { registry.add_switch(&middle_manager, u"busy", 1); }),
              "!m_switch_descriptions.has_key(a_name)");
}

TEST(StyleStartUp, WidgetManagerDeclaresItsPropertiesInIdOrder)
{
    KivTest::application();
    const StyleRegistry& registry = StyleRegistry::get_global();
    const auto* padding = registry.find_properties(u"padding", StyleValueType_LIST);
    ASSERT_TRUE(padding);
    EXPECT_EQ((*padding)[0]->get_id(), 30u);
    EXPECT_EQ(registry.find_properties(u"text_color", StyleValueType_COLOR)->front()->get_id(),
              34u);
    EXPECT_EQ(registry.find_properties(u"background", StyleValueType_PARENT)->front()->get_id(),
              0u);
    EXPECT_EQ(registry.find_switch(u"enabled")->id, 0u);
    const auto& descriptions = WidgetStyleManager::s_instance.get_property_descriptions();
    ASSERT_EQ(descriptions.size(), 38u);
    EXPECT_EQ(registry.get_effective_manager(WidgetClassList::get_global().find_index(u"Space")),
              &WidgetStyleManager::s_instance);
}

// Style sheets name these properties; their ids are what the managers switch on.
TEST(StyleStartUp, FillerAndKnobManagersDeclareTheirPropertiesInIdOrder)
{
    KivTest::application();
    const StyleRegistry& registry = StyleRegistry::get_global();
    struct Declared
    {
        const char16_t* name;
        StyleValueType type;
    };
    const auto check = [&](StyleManager& a_manager, std::initializer_list<Declared> a_declared)
    {
        uint32_t id = 0;
        for (const Declared& declared : a_declared)
        {
            const auto* found = registry.find_properties(declared.name, declared.type);
            ASSERT_TRUE(found) << Bex::String(declared.name).to_utf8();
            bool matched = false;
            for (const StylePropertyDescription* description : *found)
                matched = matched ||
                          (description->get_manager() == &a_manager && description->get_id() == id);
            EXPECT_TRUE(matched) << Bex::String(declared.name).to_utf8();
            ++id;
        }
        EXPECT_EQ(a_manager.get_property_descriptions().size(), id);
    };
    check(FillerStyleManager::s_instance, {{u"negative_brush", StyleValueType_BRUSH},
                                           {u"nonsignalling_indicator_pen", StyleValueType_PEN},
                                           {u"positive_brush", StyleValueType_BRUSH},
                                           {u"signalling_indicator_pen", StyleValueType_PEN},
                                           {u"value_indicator_pen", StyleValueType_PEN}});
    check(KnobStyleManager::s_instance, {{u"angle_span", StyleValueType_INTEGER},
                                         {u"external_circle_brush", StyleValueType_BRUSH},
                                         {u"external_circle_radius", StyleValueType_DIMENSION},
                                         {u"hand_base", StyleValueType_DIMENSION},
                                         {u"hand_brush", StyleValueType_BRUSH},
                                         {u"hand_height", StyleValueType_DIMENSION},
                                         {u"hand_offset", StyleValueType_DIMENSION},
                                         {u"indicator_brush", StyleValueType_BRUSH},
                                         {u"indicator_distance", StyleValueType_DIMENSION},
                                         {u"indicator_radius", StyleValueType_DIMENSION},
                                         {u"internal_circle_brush", StyleValueType_BRUSH},
                                         {u"internal_circle_radius", StyleValueType_DIMENSION},
                                         {u"modulated_pen", StyleValueType_PEN},
                                         {u"value_range_pen", StyleValueType_PEN},
                                         {u"positive_value_pen", StyleValueType_PEN},
                                         {u"negative_value_pen", StyleValueType_PEN},
                                         {u"value_radius", StyleValueType_DIMENSION}});
    EXPECT_EQ(registry.get_effective_manager(WidgetClassList::get_global().find_index(u"Filler")),
              &FillerStyleManager::s_instance);
}

TEST_F(StyleFixture, BuilderChecksItsNesting)
{
    EXPECT_EQ(message_of([&] { builder.begin_subclass(u"x"); }), "m_current_class");
    EXPECT_EQ(message_of([&] { level(panel, 1); }), "m_current_declaration_block");
    builder.begin_class(panel);
    EXPECT_EQ(message_of([&] { builder.begin_class(panel); }), "!m_current_class");
    EXPECT_EQ(message_of([&] { builder.begin_case(u"x"); }), "m_current_subclass");
    builder.begin_subclass(u"default");
    EXPECT_EQ(message_of([&] { builder.add_switch(panel, KivTest::TestSwitch_HOT, true); }),
              "m_current_case");
    builder.begin_case(u"x");
    EXPECT_EQ(message_of([&] { builder.end_subclass(); }), "!m_current_case");
    EXPECT_EQ(message_of([&] { level(0, 1); }), "manager");
    builder.end_case();
    EXPECT_EQ(message_of([&] { builder.end_class(); }), "!m_current_subclass");
    builder.end_subclass();
    builder.end_class();
    EXPECT_EQ(message_of([&] { builder.end_case(); }), "m_current_case");
}

TEST_F(StyleFixture, StyleParentChainsThatComeBackAreRefused)
{
    EXPECT_EQ(message_of([&] { builder.begin_class(panel, panel); }),
              "Style class \"TestPanel\" inherits from itself.");

    StyleSheet other(classes);
    StyleSheetBuilder chain(other, registry);
    chain.begin_class(panel, gauge);
    chain.end_class();
    EXPECT_EQ(message_of([&] { chain.begin_class(gauge, panel); }),
              "Style class \"TestGauge\" inherits from itself.");
    // Unknown class names share index 0; linking it to itself must not count as a loop.
    StyleSheetBuilder unknown(other, registry);
    EXPECT_EQ(message_of([&] { unknown.begin_class(0, 0); }), "no exception");
}

TEST_F(StyleFixture, PropertiesOfUnrelatedClassesAreIgnoredAndParentsApplyFirst)
{
    builder.begin_class(gauge);
    level(gauge, 7);
    builder.end_class();
    builder.begin_class(panel, gauge);
    // "test_level" belongs to both managers; the gauge's entry must not reach a panel.
    level(gauge, 99);
    level(panel, 3);
    builder.end_class();

    Panel widget;
    apply_style(sheet, widget);
    EXPECT_EQ(widget.level, 3);
    Gauge gauge_widget;
    apply_style(sheet, gauge_widget);
    EXPECT_EQ(gauge_widget.level, 7);
}

TEST_F(StyleFixture, ExactlyOneCaseAppliesAndBeatsTheClassBlock)
{
    builder.begin_class(panel);
    level(panel, 1);
    builder.begin_subclass(u"default");
    builder.begin_case(u"hot");
    builder.add_switch(panel, KivTest::TestSwitch_HOT, true);
    level(panel, 2);
    builder.end_case();
    builder.begin_case(u"cold");
    builder.add_switch(panel, KivTest::TestSwitch_HOT, false);
    level(panel, 3);
    builder.end_case();
    builder.begin_case(u"default");
    level(panel, 4);
    builder.end_case();
    builder.end_subclass();
    builder.begin_subclass(u"big");
    level(panel, 5);
    builder.end_subclass();
    builder.end_class();

    Panel widget;
    widget.hot = true;
    apply_style(sheet, widget);
    EXPECT_EQ(widget.level, 2);
    widget.hot = false;
    apply_style(sheet, widget);
    EXPECT_EQ(widget.level, 3);

    widget.set_style_subclass(u"big");
    apply_style(sheet, widget);
    EXPECT_EQ(widget.level, 5);
    widget.set_style_subclass(u"nonexistent");
    apply_style(sheet, widget);
    EXPECT_EQ(widget.level, 3);
}

TEST_F(StyleFixture, BackgroundFromParentAndDescriptionsOfBaseClasses)
{
    builder.begin_class(widget);
    StyleValueReference parent(new StyleValue_Parent());
    builder.property(widget, WidgetStyleManager::Property_BACKGROUND, parent.get());
    StyleValueReference margins(
        new StyleValue_List({new StyleValue_Dimension(StyleDimension::make(1)),
                             new StyleValue_Dimension(StyleDimension::make(2)),
                             new StyleValue_Dimension(StyleDimension::make(3))}));
    builder.property(widget, WidgetStyleManager::Property_MARGINS_LIST, margins.get());
    builder.end_class();

    auto* root = new Panel();
    root->set_background(Brush{Color{0xFF112233u}});
    auto* child = new Panel();
    child->set_parent(root);
    apply_style(sheet, *root);
    apply_style(sheet, *child);
    // A panel has no description of its own and takes the whole of Widget's.
    EXPECT_EQ(child->get_background(), root->get_background());
    EXPECT_EQ(root->get_background()->color.argb, 0xFF112233u);
    EXPECT_EQ(child->get_margins(), (WidgetSides{1, 2, 3, 2}));
    root->destroy();
}

TEST_F(StyleFixture, ValuesAreCountedAndReadOnlyAsTheirType)
{
    StyleValueReference value(new StyleValue_Integer(5));
    builder.begin_class(panel);
    builder.property(panel, KivTest::TestProperty_LEVEL, value.get());
    builder.property(panel, KivTest::TestProperty_LEVEL, value.get());
    builder.end_class();
    EXPECT_EQ(value->get_reference_count(), 3u);
    sheet.clear();
    EXPECT_EQ(value->get_reference_count(), 1u);

    EXPECT_EQ(message_of([&] { value->to_bool(); }), "m_type == StyleValueType_BOOLEAN");
    EXPECT_EQ(message_of([&] { value->to_pixels_int(); }), "m_type == StyleValueType_DIMENSION");
    StyleValueReference copy(value->clone());
    EXPECT_EQ(copy->to_int(), 5);
    EXPECT_EQ(copy->get_reference_count(), 1u);
}

TEST(StyleDimensionTest, RescaleFollowsTheExponentAndFontsNeedPixelsOrPoints)
{
    StyleDimension scaled = StyleDimension::make(10, StyleDimensionUnit_PX, 1.0f);
    scaled.rescale(2.0f);
    EXPECT_FLOAT_EQ(scaled.pixels, 20.0f);
    StyleDimension root = StyleDimension::make(10, StyleDimensionUnit_PX, 0.5f);
    root.rescale(4.0f);
    EXPECT_FLOAT_EQ(root.pixels, 20.0f);
    StyleDimension fixed = StyleDimension::make(10, StyleDimensionUnit_PX, 0.0f);
    fixed.rescale(3.0f);
    EXPECT_FLOAT_EQ(fixed.pixels, 10.0f);

    StyleValueReference font(
        new StyleValue_Font(u"Sans", StyleDimension::make(9, StyleDimensionUnit_PT)));
    font->rescale(2.0f);
    EXPECT_FLOAT_EQ(font->to_font().size, 18.0f);
    EXPECT_EQ(font->to_font().unit, FontSizeUnit_POINTS);
    EXPECT_EQ(
        message_of(
            [] { StyleValue_Font bad(u"Sans", StyleDimension::make(9, StyleDimensionUnit_NONE)); }),
        "Invalid font size unit.");
}
