// The command-line pet match.
#include "app/match_pet_argument.h"

#include "platform/text.h"

int MatchPetArgument(const std::string& argument, const std::string& petName) {
    bool marked = !argument.empty() && (argument[0] == '-' || argument[0] == '/');
    return (marked ? text::LocaleEqual(argument.substr(1), petName) : text::LocaleEqual(argument, petName)) ? 1 : 0;
}
