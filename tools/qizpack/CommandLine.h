#pragma once
// CCommandLine: the operands and options of one qizpack command. Options
// ("--name", "--name VALUE" or "--name=VALUE") may stand anywhere among the
// operands; "--" ends them, so that a file named "--x" can still be given.
// Anything starting with a single "-" is an operand, as is "-" alone.
#include <map>
#include <string>
#include <vector>

class CCommandLine {
public:
    struct Option {
        std::string name;  // without the leading "--"
        bool takesValue;
    };

    // Parses `args` (the command's own, without the command word) against the
    // options the command knows; false for an unknown option, a value given
    // to a flag or a value missing.
    bool Parse(const std::vector<std::string>& args, const std::vector<Option>& known);

    const std::vector<std::string>& Operands() const { return m_operands; }
    bool Has(const std::string& name) const { return m_values.count(name) != 0; }
    // The option's value (the last given), or `fallback` when absent.
    std::string Value(const std::string& name, const std::string& fallback = "") const;

private:
    std::vector<std::string> m_operands;
    std::map<std::string, std::string> m_values;
};
