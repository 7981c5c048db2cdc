#pragma once

#include <QString>

class DataRoot;
class OperatorNotifier;
class TextCatalogue;

// Gives every motion of a meeting that has no result yet the result of a plausible ballot: keypresses
// drawn from a fixed seed for nine in ten of the delegates due, counted and stored by the tally the voting
// uses, so the result window and the reports have something real to show.
class SampleResults final
{
public:
    SampleResults() = delete;

    // The number of results stored; -1 when the meeting cannot be read.
    static int store(const DataRoot &root, const QString &meetingName, const TextCatalogue &catalogue,
                     OperatorNotifier &notifier);
};
