#pragma once
#include <string>
#include <vector>

// Pieces of the command lines of the tools. argv[i] is the option being read;
// a value is the argument after it.
namespace toolargs {

// The whole of text as a number; false for empty text or anything after it.
bool ToNumber(const char* text, double& value);

// The option's value as text; i moves onto it. False when there is none.
bool NextText(int argc, char** argv, int& i, std::string& value);

// The option's value as a number of at least min (a whole number when whole
// is set); i moves onto it. False, with i unchanged, when it is missing or
// not such a number.
bool NextNumber(int argc, char** argv, int& i, double& value, double min, bool whole = false);

// The command line with every "--opt=value" split into "--opt" and "value",
// so that both spellings reach the parsers alike. Argv() stays valid as long
// as the object lives (argv[argc] is a null pointer, as the system gives it).
class CSplitArgs {
public:
    CSplitArgs(int argc, char** argv);
    int Count() const { return static_cast<int>(m_args.size()); }
    char** Argv() { return m_pointers.data(); }

private:
    std::vector<std::string> m_args;
    std::vector<char*> m_pointers;
};

} // namespace toolargs
