#pragma once

class QString;

// What `Manage`.`function` says the installation is. The text is read as a number, so text that is no
// number counts as 0: "1" and "3" are voting only, "0" and "2" voting and discussion; any other number
// is neither, and the windows that lay out by it show no pages of their own until asked.
enum class SystemType
{
    VotingOnly,
    Discussion,
    Neither
};

SystemType systemTypeOf(const QString &function);
