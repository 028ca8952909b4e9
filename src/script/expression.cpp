#include "script/expression.h"

#include <cstring>
#include <string>

namespace qeli::script {

namespace {

// Precedence of an operator word by its first character; 0 for a word that is not one the evaluator
// knows ("^", "|" and "&" are accepted by the compiler and skipped here).
int precedence(const char* word) {
    switch (word[0]) {
    case '%':
    case '*':
    case '/': return 9;
    case '+':
    case '-': return 8;
    case '<':
    case '=':
    case '>': return 7;
    default: return 0;
    }
}

// Integers wrap on overflow, so the arithmetic is done unsigned.
int32_t apply(char op, int32_t a, int32_t b) {
    const uint32_t ua = static_cast<uint32_t>(a), ub = static_cast<uint32_t>(b);
    switch (op) {
    case '%': return (b == 0 || b == -1) ? 0 : a % b;
    case '*': return static_cast<int32_t>(ua * ub);
    case '+': return static_cast<int32_t>(ua + ub);
    case '-': return static_cast<int32_t>(ua - ub);
    case '/':
        if (a == 0 || b == 0) return 0;
        return b == -1 ? static_cast<int32_t>(0u - ua) : a / b;
    case '<': return a < b ? 1 : 0;
    case '=': return a == b ? 1 : 0;
    case '>': return a > b ? 1 : 0;
    default: return 0;
    }
}

// Postfix conversion and evaluation over fixed arrays: `=` runs for nearly every line of a script.
int32_t evaluateInteger(int32_t count, const Param* params) {
    struct Item {
        char op;  // 0 for an operand
        int32_t value;
    };
    Item output[kMaxParameters];
    char operators[kMaxParameters];
    int outputSize = 0, operatorCount = 0;
    for (int32_t i = 0; i < count; ++i) {
        const Param& p = params[i];
        if (p.isInteger()) {
            output[outputSize++] = {0, p.value};
            continue;
        }
        if (!p.isWord()) continue;
        int level = precedence(p.str());
        if (level == 0) continue;
        while (operatorCount > 0 && precedence(&operators[operatorCount - 1]) >= level)
            output[outputSize++] = {operators[--operatorCount], 0};
        operators[operatorCount++] = p.str()[0];
    }
    while (operatorCount > 0) output[outputSize++] = {operators[--operatorCount], 0};

    // The stack starts holding one 0, so a leading "-" negates; a missing operand reads as 0.
    int32_t stack[kMaxParameters + 1];
    stack[0] = 0;
    int depth = 1;
    for (int i = 0; i < outputSize; ++i) {
        if (output[i].op == 0) {
            stack[depth++] = output[i].value;
            continue;
        }
        int32_t b = depth > 0 ? stack[--depth] : 0;
        int32_t a = depth > 0 ? stack[--depth] : 0;
        stack[depth++] = apply(output[i].op, a, b);
    }
    return depth > 0 ? stack[depth - 1] : 0;
}

bool isAssignWord(const Param& p) { return p.isWord() && std::strcmp(p.str(), "=") == 0; }

std::optional<CommandResult> evaluateString(int32_t count, const Param* params) {
    bool comparison = false;
    for (int32_t i = 0; i < count && !comparison; ++i) comparison = isAssignWord(params[i]);
    if (comparison) {
        std::string sides[2];
        int side = 0;
        for (int32_t i = 0; i < count && side < 2; ++i) {
            if (isAssignWord(params[i])) ++side;
            else if (params[i].isString()) sides[side] += params[i].str();
        }
        return CommandResult::integer(sides[0] == sides[1] ? 1 : 0);
    }
    std::string joined;
    for (int32_t i = 0; i < count; ++i)
        if (params[i].isString()) joined += params[i].str();
    if (joined.empty()) return std::nullopt;
    return CommandResult::string(std::move(joined));
}

std::optional<CommandResult> singleValue(const Param& p) {
    if (p.isString()) {
        if (!p.text) return std::nullopt;
        return CommandResult::string(p.text);
    }
    if (p.isInteger()) return CommandResult::integer(p.value);
    return CommandResult::none();
}

}  // namespace

std::optional<CommandResult> evaluateExpression(int32_t count, const Param* params) {
    if (count <= 0) return std::nullopt;
    if (count == 1) return singleValue(params[0]);
    const Param& first = params[0];
    if (first.isString()) return evaluateString(count, params);
    if (!first.empty && first.type == TokenType::Temporary) return CommandResult::none();
    return CommandResult::integer(evaluateInteger(count, params));
}

}  // namespace qeli::script
