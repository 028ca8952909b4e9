// Fuzzes the `=` evaluator: every byte pair picks a parameter (integer, operator word, string, empty
// temporary, absent string) for one flat list of up to 128 parameters.
#include <cstdint>
#include <cstring>

#include "script/expression.h"

using namespace qeli::script;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const char* const kWords[] = {"+", "-", "*", "/", "%", "=", "<", ">", "^", "|", "&", "label", ""};
    static const char* const kTexts[] = {"", "a", "ab", "\x82\xA0"};
    Param params[kMaxParameters];
    int32_t count = 0;
    for (size_t i = 0; i + 1 < size && count < kMaxParameters; i += 2, ++count) {
        Param& p = params[count];
        p.empty = false;
        const uint8_t pick = data[i], value = data[i + 1];
        switch (pick % 6) {
        case 0: p.type = TokenType::IntConstant; p.value = static_cast<int32_t>(uint32_t{value} << 24); break;
        case 1: p.type = TokenType::IntConstant; p.value = static_cast<int8_t>(value); break;
        case 2: p.type = TokenType::Word; p.text = kWords[value % std::size(kWords)]; break;
        case 3: p.type = TokenType::StringLiteral; p.text = kTexts[value % std::size(kTexts)]; break;
        case 4: p.type = TokenType::Temporary; break;
        default: p.type = TokenType::StringVariable; p.text = nullptr; break;
        }
    }
    auto result = evaluateExpression(count, params);
    if (result && result->text) return static_cast<int>(result->text->size() > 0);
    return 0;
}
