#pragma once
#include <string>

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

} // namespace toolargs
