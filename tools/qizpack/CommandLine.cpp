#include "CommandLine.h"

bool CCommandLine::Parse(const std::vector<std::string>& args, const std::vector<Option>& known)
{
    m_operands.clear();
    m_values.clear();
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.rfind("--", 0) != 0) {
            m_operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const size_t equals = arg.find('=');
        const std::string name = arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
        const Option* option = nullptr;
        for (const Option& candidate : known)
            if (candidate.name == name) option = &candidate;
        if (!option) return false;
        if (!option->takesValue) {
            if (equals != std::string::npos) return false;
            m_values[name];
        } else if (equals != std::string::npos) {
            m_values[name] = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            m_values[name] = args[++i];
        } else {
            return false;
        }
    }
    return true;
}

std::string CCommandLine::Value(const std::string& name, const std::string& fallback) const
{
    const auto found = m_values.find(name);
    return found == m_values.end() ? fallback : found->second;
}
