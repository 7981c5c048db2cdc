#pragma once

#include "core/store/motionrecord.h"

#include <QString>

class QTemporaryDir;

// The language texts the voting compares and writes, with short values, as a language file in `dir`;
// returns its path. Vote types are "T1".."T7", the voted state "Voted".
QString writeVotingLanguageFile(const QTemporaryDir &dir);

// A motion of type 1..7 as the motion editor stores it under that language file.
MotionRecord motionOfType(const QString &name, int typeNumber, const QString &insertdate);
