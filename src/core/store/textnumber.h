#pragma once

class QString;

// Numbers are kept as decimal text in the databases. Reading one takes an optional sign and the digits at
// the start of the text, after any leading blanks, and stops at the first other character; text that does
// not start with a number reads as 0, and values beyond the int range are held at its ends.
int textNumber(const QString &text);
