#include "protocol/pobject.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

PObject MakeMap(std::initializer_list<std::pair<const char*, PObject>> members) {
    PObject map;
    map.asMap();
    for (const auto& member : members)
        map[member.first] = member.second;
    return map;
}

PObject MakeArray(std::initializer_list<PObject> elements) {
    PObject array;
    array.asArray().assign(elements.begin(), elements.end());
    return array;
}

PObject MakeBuffer(const char* bytes, uint32_t n) {
    PObject::buffer_type buffer;
    EXPECT_EQ(0, buffer.assign(bytes, n));
    return PObject(buffer);
}

TEST(PObjectTest, NewObjectIsNullAndEmpty) {
    PObject object;
    EXPECT_TRUE(object.isNull());
    EXPECT_TRUE(object.isEmpty());
    EXPECT_FALSE(object.asBool());
    EXPECT_EQ("null", object.toString());
    EXPECT_EQ("", object.asString());
    EXPECT_EQ(0u, object.asInteger());
}

TEST(PObjectTest, IntegerTextUsesLow32BitsOnlyInAsString) {
    struct Case {
        uint64_t value;
        const char* as_string;
        const char* to_string;
    };
    const Case cases[] = {
        {0, "0", "0"},
        {4294967295ULL, "4294967295", "4294967295"},
        {4294967296ULL, "0", "4294967296"},
        {4294967297ULL, "1", "4294967297"},
        {std::numeric_limits<uint64_t>::max(), "4294967295", "18446744073709551615"},
    };
    for (const Case& c : cases) {
        PObject object(c.value);
        EXPECT_EQ(c.as_string, object.asString()) << c.value;
        EXPECT_EQ(c.to_string, object.toString()) << c.value;
    }
}

TEST(PObjectTest, AsBoolFollowsKindAndEmptiness) {
    struct Case {
        const char* name;
        PObject value;
        bool expected;
    };
    PObject binary;
    binary.asBinary().path = "/tmp/x";
    const std::vector<Case> cases = {
        {"string 0", PObject("0"), true},
        {"empty string", PObject(""), false},
        {"integer 0", PObject(uint64_t(0)), false},
        {"integer 7", PObject(uint64_t(7)), true},
        {"empty map", MakeMap({}), false},
        {"map", MakeMap({{"a", PObject()}}), true},
        {"empty array", MakeArray({}), false},
        {"null", PObject(), false},
        {"binary with path", binary, true},
        {"empty buffer", MakeBuffer("", 0), false},
        {"buffer", MakeBuffer("ab", 2), true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, c.value.asBool()) << c.name;
}

TEST(PObjectTest, AssignmentWidensIntegers) {
    PObject object;
    object = int32_t(-1);
    EXPECT_EQ(std::numeric_limits<uint64_t>::max(), object.asUInt64());
    EXPECT_EQ(-1, object.asInt64());
    EXPECT_EQ(255u, object.asUInt8());
    EXPECT_EQ(-1, object.asInt8());
    EXPECT_EQ(0xFFFFu, object.asUInt16());
    EXPECT_EQ(-1, object.asInt32());

    object = uint32_t(0xFFFFFFFFu);
    EXPECT_EQ(0xFFFFFFFFull, object.asUInt64());
    EXPECT_EQ(-1, object.asInt32());

    object = true;
    EXPECT_EQ(1u, object.asInteger());
    object = false;
    EXPECT_TRUE(object.isInteger());
    EXPECT_EQ(0u, object.asInteger());

    object = int64_t(-2);
    EXPECT_EQ(-2, object.asInt64());

    PObject literal = 0;  // a literal 0 is the integer, not a null text
    EXPECT_TRUE(literal.isInteger());
}

TEST(PObjectTest, NonIntegerKindsReadAsZero) {
    PObject text("123");
    EXPECT_EQ(0u, text.asInteger());
    EXPECT_EQ(0, text.asInt32());
}

TEST(PObjectTest, KeyIndexConstLeavesObjectNonConstMakesMap) {
    PObject object("text");
    const PObject& view = object;
    EXPECT_TRUE(view["k"].isNull());
    EXPECT_TRUE(object.isString());
    EXPECT_EQ("text", object.asString());

    object["k"];
    ASSERT_TRUE(object.isMap());
    ASSERT_EQ(1u, object.asMap().size());
    EXPECT_TRUE(object.hasMember("k"));
    EXPECT_TRUE(object["k"].isNull());
    EXPECT_FALSE(PObject("k").hasMember("k"));
}

TEST(PObjectTest, PositionalIndex) {
    PObject array = MakeArray({PObject(uint64_t(10)), PObject(uint64_t(20))});
    try {
        array[0];
        FAIL() << "non-const positional index on an array must throw";
    } catch (const std::out_of_range& e) {
        EXPECT_STREQ("out_of_range: PObject::operator[]", e.what());
    }
    const PObject& const_array = array;
    EXPECT_EQ(10u, const_array[0].asInteger());
    EXPECT_TRUE(const_array[2].isNull());

    PObject map = MakeMap({{"b", PObject(uint64_t(2))}, {"a", PObject(uint64_t(1))}});
    const PObject& const_map = map;
    EXPECT_EQ(2u, const_map[1].asInteger());
    EXPECT_TRUE(const_map[2].isNull());
    map[size_t(0)] = uint64_t(5);
    EXPECT_EQ(5u, map["a"].asInteger());
    EXPECT_THROW(map[2], std::out_of_range);

    PObject text("x");
    EXPECT_THROW(text[0], std::out_of_range);
    EXPECT_TRUE(static_cast<const PObject&>(text)[0].isNull());
}

TEST(PObjectTest, ConvertingAccessorReplacesOtherKind) {
    PObject object(uint64_t(42));
    PObject::map_type& map = object.asMap();
    EXPECT_TRUE(map.empty());
    EXPECT_TRUE(object.isMap());

    object["x"] = uint64_t(1);
    object.asMap();  // same kind: kept
    EXPECT_EQ(1u, object["x"].asInteger());

    // Const accessors of another kind give the shared empty values.
    const PObject& view = object;
    EXPECT_EQ(&PObject::empty_array, &view.asArray());
    EXPECT_EQ(&PObject::empty_buffer, &view.asBuffer());
    EXPECT_TRUE(view.asBinary().empty());
}

TEST(PObjectTest, KindPredicates) {
    PObject binary;
    binary.asBinary();
    PObject binary_ex;
    binary_ex.asBinaryEx();
    struct Case {
        const char* name;
        PObject value;
        bool container;
        bool primitive;
    };
    const std::vector<Case> cases = {
        {"null", PObject(), false, false},
        {"array", MakeArray({}), true, false},
        {"map", MakeMap({}), true, false},
        {"integer", PObject(uint64_t(1)), false, true},
        {"string", PObject("s"), false, true},
        {"binary", binary, false, true},
        {"binary_ex", binary_ex, true, false},
        {"buffer", MakeBuffer("b", 1), false, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.container, c.value.isContainer()) << c.name;
        EXPECT_EQ(c.primitive, c.value.isPrimitive()) << c.name;
    }
}

TEST(PObjectTest, CopyIsDeep) {
    PObject original = MakeMap(
        {{"list", MakeArray({MakeMap({{"n", PObject(uint64_t(1))}}), PObject("s")})},
         {"buf", MakeBuffer("abc", 3)}});
    PObject copy(original);
    ASSERT_EQ(original, copy);
    copy["list"].asArray()[0]["n"] = uint64_t(2);
    copy["buf"].asBuffer().assign("xyz", 3);
    const PObject& view = original;
    EXPECT_EQ(1u, view["list"][0]["n"].asInteger());
    EXPECT_EQ(0, std::memcmp(original["buf"].asBuffer().data, "abc", 3));
    EXPECT_NE(original, copy);
}

TEST(PObjectTest, AssignFromItselfOrFromAValueInside) {
    PObject object = MakeMap({{"inner", MakeMap({{"x", PObject(uint64_t(7))}})}});
    const PObject expected = object;
    object = object;
    EXPECT_EQ(expected, object);

    object = object["inner"];
    EXPECT_EQ(7u, object["x"].asInteger());
    EXPECT_EQ(1u, object.asMap().size());

    PObject list = MakeArray({MakeArray({PObject("deep")})});
    list = list.asArray()[0];
    EXPECT_EQ("[\"deep\"]", list.toString());

    PObject moved = MakeMap({{"m", PObject("v")}});
    moved = std::move(moved["m"]);
    EXPECT_EQ("v", moved.asString());

    // Integers are held in place rather than in a block of their own.
    PObject number = MakeMap({{"n", PObject(uint64_t(1) << 40)}});
    number = number["n"];
    EXPECT_EQ(uint64_t(1) << 40, number.asInteger());
    PObject holder = MakeArray({PObject(~uint64_t(0))});
    holder = std::move(holder.asArray()[0]);
    EXPECT_EQ(~uint64_t(0), holder.asInteger());
}

TEST(PObjectTest, MapKeysSortByteWiseUnsigned) {
    PObject map = MakeMap({{"\xC3\xA9", PObject()}, {"z", PObject()}, {"ab", PObject()},
                           {"a", PObject()}, {"_action", PObject()}, {"n", PObject()}});
    std::vector<std::string> keys;
    for (const auto& member : map.asMap())
        keys.push_back(member.first);
    EXPECT_EQ((std::vector<std::string>{"_action", "a", "ab", "n", "z", "\xC3\xA9"}), keys);
}

TEST(PObjectTest, ToStringOfEveryKind) {
    PObject binary;
    binary.asBinary().offset = 10;
    binary.asBinary().length = 5;
    binary.asBinary().path = "/d/f";
    PObject binary_ex;
    PObject::binary_ex_type& ex = binary_ex.asBinaryEx();
    ex.path = "/d/g";
    ex.offset = 1;
    ex.length = 2;
    ex.hash_algorithm = "md5";
    ex.send_hash = "aa";
    ex.recv_hash = "bb";
    struct Case {
        const char* name;
        PObject value;
        const char* text;
    };
    const std::vector<Case> cases = {
        {"map", MakeMap({{"a", PObject(uint64_t(1))},
                         {"b", MakeArray({PObject(uint64_t(1)), PObject(uint64_t(2))})}}),
         "{\"a\": 1, \"b\": [1, 2]}"},
        {"empty array", MakeArray({}), "[]"},
        {"empty map", MakeMap({}), "{}"},
        {"null member", MakeArray({PObject(), PObject("q\"x")}), "[null, \"q\"x\"]"},
        {"buffer", MakeBuffer("12345", 5), "{data_length: 5, }"},
        {"binary", binary, "{offset: 10, length: 5, path: \"/d/f\"}"},
        {"binary_ex", binary_ex,
         "{offset: 1, length: 2, path: \"/d/g\", send_hash: \"aa\", recv_hash: \"bb\", "
         "hash_algo: \"md5\"}"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, c.value.toString()) << c.name;
}

TEST(PObjectTest, PrettyString) {
    PObject map = MakeMap({{"a", PObject(uint64_t(1))},
                           {"b", MakeArray({PObject(uint64_t(1)), PObject(uint64_t(2))})}});
    EXPECT_EQ("\n{\n    \"a\": 1,\n    \"b\": [\n        1,\n        2\n    ]\n}",
              map.toPrettyString());
    EXPECT_EQ("\n{}", MakeMap({}).toPrettyString());
    EXPECT_EQ("\n[\n    {},\n    []\n]", MakeArray({MakeMap({}), MakeArray({})}).toPrettyString());
    // Blanks and brackets inside quotes are kept as they are.
    EXPECT_EQ("\n{\n    \"k\": \"a [b], c\"\n}",
              MakeMap({{"k", PObject("a [b], c")}}).toPrettyString());
    // An unescaped quote flips the quoting for the rest of the text.
    EXPECT_EQ("\n[\n    \"a\"b\", 1]", MakeArray({PObject("a\"b"), PObject(uint64_t(1))})
                                          .toPrettyString());
}

TEST(PObjectBufferTest, ReallocKeepsShrinksOrGrows) {
    struct Case {
        uint32_t size;
        uint32_t expected_cap;
    };
    const Case cases[] = {{100, 100}, {60, 100}, {50, 100}, {49, 49}, {101, 101}, {0, 0}};
    for (const Case& c : cases) {
        PObject::buffer_type buffer;
        ASSERT_EQ(0, buffer.realloc_data(100));
        ASSERT_EQ(0, buffer.realloc_data(c.size));
        EXPECT_EQ(c.expected_cap, buffer.data_cap) << c.size;
        EXPECT_EQ(c.size == 0, buffer.data == nullptr) << c.size;
    }
}

TEST(PObjectBufferTest, AssignClearAndCopy) {
    PObject::buffer_type buffer;
    ASSERT_EQ(0, buffer.assign("hello", 5));
    EXPECT_EQ(5u, buffer.data_length);
    EXPECT_EQ(5u, buffer.data_cap);

    // A shorter assign within half keeps the block and zeroes its tail.
    ASSERT_EQ(0, buffer.assign("abc", 3));
    EXPECT_EQ(5u, buffer.data_cap);
    EXPECT_EQ(0, std::memcmp(buffer.data, "abc\0\0", 5));

    buffer.clear();
    EXPECT_TRUE(buffer.empty());
    EXPECT_EQ(5u, buffer.data_cap);
    EXPECT_EQ(0, std::memcmp(buffer.data, "\0\0\0\0\0", 5));

    ASSERT_EQ(0, buffer.assign("abc", 3));
    PObject::buffer_type copy(buffer);
    EXPECT_EQ(3u, copy.data_cap);  // a copy is sized to the used bytes
    EXPECT_TRUE(copy == buffer);

    ASSERT_EQ(0, buffer.assign(nullptr, 0));
    EXPECT_TRUE(buffer.empty());
    EXPECT_EQ(nullptr, buffer.data);
    EXPECT_EQ(0u, buffer.data_cap);
}

TEST(PObjectTest, ClearAndSwap) {
    PObject a("a");
    PObject b(uint64_t(2));
    a.swap(b);
    EXPECT_EQ(2u, a.asInteger());
    EXPECT_EQ("a", b.asString());
    b.clear();
    EXPECT_TRUE(b.isNull());

    PObject region;
    region.asBinaryEx().path = "p";
    region.asBinaryEx().clear();
    EXPECT_TRUE(region.isEmpty());
}

}  // namespace
