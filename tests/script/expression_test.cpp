// The flat-list evaluation of `=`: precedence, the initial 0, division by 0, string joining and
// comparison, and the kinds of result.
#include <gtest/gtest.h>

#include <vector>

#include "script/expression.h"

namespace qeli::script {
namespace {

Param integer(int32_t value) {
    Param p;
    p.type = TokenType::IntConstant;
    p.value = value;
    p.empty = false;
    return p;
}
Param word(const char* text) {
    Param p;
    p.type = TokenType::Word;
    p.text = text;
    p.empty = false;
    return p;
}
Param string(const char* text, TokenType type = TokenType::StringLiteral) {
    Param p;
    p.type = type;
    p.text = text;
    p.empty = false;
    return p;
}
Param emptyTemporary() {
    Param p;
    p.type = TokenType::Temporary;
    p.empty = false;
    return p;
}

std::optional<CommandResult> evaluate(const std::vector<Param>& params) {
    return evaluateExpression(static_cast<int32_t>(params.size()), params.data());
}

TEST(ExpressionTest, IntegerListsFollowPrecedenceAndTheInitialZero) {
    struct Case {
        std::vector<Param> params;
        int32_t expected;
    };
    const Case cases[] = {
        {{integer(3), word("-"), integer(5), word("*"), integer(2)}, -7},
        {{integer(10), word("-"), integer(4), word("-"), integer(3)}, 3},
        {{word("-"), integer(7)}, -7},
        {{word("+"), integer(7)}, 7},
        {{integer(7), word("/"), integer(0)}, 0},
        {{integer(0), word("/"), integer(7)}, 0},
        {{integer(-7), word("/"), integer(2)}, -3},
        {{integer(2), word("<"), integer(3), word("="), integer(1)}, 1},
        {{integer(5), word(">"), integer(3)}, 1},
        {{integer(7), word("%"), integer(3)}, 1},
        {{integer(7), word("%"), integer(0)}, 0},
        {{integer(2), integer(9)}, 9},  // two operands: the later is on top
        {{integer(2), word("^"), integer(9)}, 9},  // "^" is skipped
        {{integer(INT32_MAX), word("+"), integer(1)}, INT32_MIN},
        {{integer(INT32_MIN), word("/"), integer(-1)}, INT32_MIN},
        {{word("-"), word("-")}, 0},
        {{integer(4), string("x"), word("*"), integer(3)}, 12},  // strings after an integer are skipped
    };
    for (const Case& c : cases) {
        auto result = evaluate(c.params);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->kind, ResultKind::Integer);
        EXPECT_EQ(result->value, c.expected);
    }
}

TEST(ExpressionTest, StringsJoinOrCompare) {
    auto equal = evaluate({string("ab"), word("="), string("a"), string("b")});
    ASSERT_TRUE(equal);
    EXPECT_EQ(equal->kind, ResultKind::Integer);
    EXPECT_EQ(equal->value, 1);
    // Strings after a second "=" are dropped.
    EXPECT_EQ(evaluate({string("ab"), word("="), string("ab"), word("="), string("x")})->value, 1);
    EXPECT_EQ(evaluate({string("ab"), word("="), string("a"), word("="), string("b")})->value, 0);
    EXPECT_EQ(evaluate({string("ab"), word("="), string("ba")})->value, 0);

    auto joined = evaluate({string("ab"), word("+"), string("cd")});
    ASSERT_TRUE(joined);
    EXPECT_EQ(joined->kind, ResultKind::String);
    EXPECT_EQ(*joined->text, "abcd");
    EXPECT_FALSE(evaluate({string(""), string("")}));
}

TEST(ExpressionTest, SingleParametersAndEmptyTemporaries) {
    EXPECT_EQ(evaluate({integer(5)})->value, 5);
    EXPECT_EQ(*evaluate({string("x")})->text, "x");
    EXPECT_FALSE(evaluate({string(nullptr, TokenType::StringVariable)}));  // absent: the target keeps its value
    EXPECT_EQ(evaluate({emptyTemporary()})->kind, ResultKind::None);
    EXPECT_EQ(evaluate({word("label")})->kind, ResultKind::None);
    EXPECT_EQ(evaluate({emptyTemporary(), word("+"), integer(1)})->kind, ResultKind::None);
    EXPECT_FALSE(evaluate({}));
}

}  // namespace
}  // namespace qeli::script
