#include "script/script_bindings.h"

#include <ostream>

namespace evoplug::script {
namespace {

bridge::Kind kindOf(Need need) {
    switch (need) {
        case Need::String:
            return bridge::Kind::String;
        case Need::Panel:
            return bridge::Kind::Panel;
        case Need::Object:
            return bridge::Kind::Object;
        case Need::Function:
            return bridge::Kind::Function;
        default:
            return bridge::Kind::Number;
    }
}

const char* describe(Need need) {
    switch (need) {
        case Need::Number:
            return "a number variable";
        case Need::Array:
            return "an array";
        case Need::String:
            return "a string";
        case Need::Panel:
            return "a panel";
        case Need::Object:
            return "an engine object";
        case Need::Function:
            return "a script function";
        case Need::EngineFunction:
            return "an engine function";
    }
    return "";
}

const char* describeType(int32_t typeCode) {
    switch (typeCode) {
        case abi::type::kNumber:
            return "a number variable";
        case abi::type::kArray:
            return "an array";
        case abi::type::kString:
            return "a string";
        case abi::type::kObject:
            return "an engine object";
        case abi::type::kFunction:
            return "a script function";
        case abi::type::kPanel:
            return "a panel";
        default:
            return "an object of an unknown type";
    }
}

}  // namespace

void Bindings::bind(Stage stage, const bridge::EngineLink& engine) {
    for (int n = 0; n < kBoundNameCount; ++n) {
        const NameInfo& info = kNames[n];
        if (info.stage != stage) continue;
        void*& cell = cells_[static_cast<size_t>(n)];
        if (info.need == Need::Function)
            cell = reinterpret_cast<void*>(
                static_cast<intptr_t>(engine.lookupScriptFunction(info.text)));
        else if (info.need == Need::EngineFunction)
            cell = engine.lookupEngineFunction(info.text);
        else
            cell = engine.find(info.text, kindOf(info.need));
    }
}

int checkWiring(const bridge::EngineLink& engine, std::ostream& errors) {
    if (!engine.attached()) {
        errors << "evoplug: the engine has not called A5_DLLAPI yet; nothing can be checked\n";
        return 1;
    }
    int problems = 0;
    for (const NameInfo& info : kNames) {
        if (info.need == Need::EngineFunction) {
            if (engine.lookupEngineFunction(info.text) != nullptr) continue;
            errors << "evoplug: the engine function \"" << info.text << "\" is missing (used by "
                   << info.usedBy << ")\n";
            ++problems;
            continue;
        }
        const int32_t type = engine.typeOf(info.text);
        if (type != 0 && bridge::accepts(kindOf(info.need), type)) continue;
        errors << "evoplug: \"" << info.text << "\" ";
        if (type == 0)
            errors << "is missing";
        else
            errors << "is " << describeType(type);
        errors << "; it must be " << describe(info.need) << " (used by " << info.usedBy << ")\n";
        ++problems;
    }
    const auto action = engine.find<bridge::StringRecord>(nameOf(ActionString));
    const char* function = action ? action.text() : nullptr;
    if (function != nullptr && *function != '\0' && engine.lookupScriptFunction(function) == 0) {
        errors << "evoplug: \"" << nameOf(ActionString) << "\" names \"" << function
               << "\", which is not a script function; init_Ortavia needs one\n";
        ++problems;
    }
    return problems;
}

}  // namespace evoplug::script
