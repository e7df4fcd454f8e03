#include "script/script_bindings.h"

#include <ostream>

namespace evoplug::script {
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

namespace {

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

constexpr bool bindsNoEngineObject() {
    for (int n = 0; n < kBoundNameCount; ++n)
        if (kNames[n].need == Need::Object) return false;
    return true;
}
static_assert(bindsNoEngineObject(), "no cell holds an engine object");

void Bindings::bind(Stage stage, bridge::EngineLink& engine) {
    for (int n = 0; n < kBoundNameCount; ++n) {
        const NameInfo& info = kNames[n];
        if (info.stage != stage) continue;
        const auto i = static_cast<size_t>(n);
        switch (info.need) {
            case Need::Number:
            case Need::Array:
                numbers_[i] = engine.findNumber(info.text);
                break;
            case Need::String:
                strings_[i] = engine.find<bridge::StringRecord>(info.text);
                break;
            case Need::Panel:
                panels_[i] = engine.find<bridge::PanelRecord>(info.text);
                break;
            case Need::Function:
                handles_[i] = engine.lookupScriptFunction(info.text);
                break;
            case Need::EngineFunction:
                engineFunctions_[i] = engine.lookupEngineFunction(info.text);
                break;
            case Need::Object:
                break;
        }
    }
}

const void* Bindings::raw(Name n) const {
    switch (kNames[n].need) {
        case Need::Number:
        case Need::Array:
            return numbers_[n];
        case Need::String:
            return strings_[n].raw();
        case Need::Panel:
            return panels_[n].raw();
        case Need::Function:
            return reinterpret_cast<const void*>(static_cast<intptr_t>(handles_[n]));
        case Need::EngineFunction:
            return engineFunctions_[n];
        case Need::Object:
            break;
    }
    return nullptr;
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
    const char* function = engine.text(nameOf(ActionString));
    if (function != nullptr && *function != '\0' && engine.lookupScriptFunction(function) == 0) {
        errors << "evoplug: \"" << nameOf(ActionString) << "\" names \"" << function
               << "\", which is not a script function; init_Ortavia needs one\n";
        ++problems;
    }
    return problems;
}

}  // namespace evoplug::script
