#include "bex/Binis/BiniNode.h"
#include "bex/Binis/BiniException_ChildNotFound.h"
#include "bex/Binis/BiniException_InvalidValueType.h"
#include "bex/Core/Id.h"

#include <gtest/gtest.h>

TEST(BiniNode, PathsAndMissingChildrenAreNamed)
{
    Bex::BiniNode root;
    Bex::BiniNode& prog = root.add_child(Bex::make_id("Prog"));
    EXPECT_EQ(root.get_path(), u"/");
    EXPECT_EQ(prog.add_child(Bex::make_id("Para")).get_path(), u"/Prog/Para");
    EXPECT_EQ(prog.get_parent(), &root);

    try
    {
        root.get_child(Bex::make_id("Prog")).get_child(Bex::make_id("Gone"));
        FAIL() << "found";
    }
    catch (const Bex::BiniException& exception)
    {
        EXPECT_EQ(exception.get_message(), u"Node \"/Prog\":\nNo subnode with id \"Gone\".");
    }
    EXPECT_EQ(Bex::BiniNode::id_to_string(0x7F676F72), u"2137485170");
    EXPECT_EQ(Bex::BiniNode::id_to_string(7), u"7");
    EXPECT_EQ(root.add_child(0x00414141).get_path(), u"/4276545");

    EXPECT_EQ(Bex::BiniException_InvalidValueType(prog.get_path(), u"bool").get_message(),
              u"Node \"/Prog\":\nExpected type bool.");
}

TEST(BiniNode, GettersCheckTheirType)
{
    Bex::BiniNode root;
    Bex::BiniNode& node = root.add_child(1);
    node.set_value_int32(42);
    EXPECT_EQ(root.get_child_int32_or_minus_one(1), 42);
    EXPECT_EQ(root.get_child_int32_or_minus_one(2), -1);

    const std::pair<void (*)(const Bex::BiniNode&), const char16_t*> getters[] = {
        {[](const Bex::BiniNode& a_node) { a_node.get_value_float(); },
         u"m_value_type == BiniValueType_FLOAT"},
        {[](const Bex::BiniNode& a_node) { a_node.get_value_uint32(); },
         u"m_value_type == BiniValueType_UINT32"},
        {[](const Bex::BiniNode& a_node) { a_node.get_value_string(); },
         u"m_value_type == BiniValueType_STRING"},
    };
    for (const auto& [getter, message] : getters)
    {
        try
        {
            getter(node);
            FAIL() << "no assertion";
        }
        catch (const Bex::Exception& exception)
        {
            EXPECT_EQ(exception.get_message(), message);
        }
    }

    node.set_value_string(u"text");
    EXPECT_EQ(root.get_child_int32_or_minus_one(1), -1);
    try
    {
        node.get_value_int32();
        FAIL() << "no assertion";
    }
    catch (const Bex::Exception& exception)
    {
        EXPECT_EQ(exception.get_message(), u"m_value_type == BiniValueType_INT32");
    }
    // A string set from its own value stays intact.
    node.set_value_string(node.get_value_string());
    EXPECT_EQ(node.get_value_string(), u"text");

    const uint16_t values[] = {1, 2};
    node.set_value_uint16_array(values, 2);
    EXPECT_EQ(node.get_array_count(), 2u);
    node.add_child(5);
    root.get_child(1).clear();
    EXPECT_EQ(node.get_value_type(), Bex::BiniValueType_NULL);
    EXPECT_EQ(node.get_array_count(), 0u);
    EXPECT_TRUE(node.get_children().empty());
}
