// Edit masks: the mask syntax that items, presets and grids store (for example "!90/00/0000;1;_"),
// translated into the input mask a QLineEdit enforces. The in-place editor applies the translation to
// every cell it loads.
//
// A stored mask has up to three fields separated by ';': the mask characters, whether the literals are
// saved with the text ("1", the default, or "0"), and the character shown for a blank position ("_" by
// default). Mask characters: 0 digit, 9 optional digit, # optional digit or sign, L letter, l optional
// letter, A letter or digit, a optional letter or digit, C any character, c optional any character,
// > upper case from here, < lower case from here, <> no case conversion from here, ! leading blanks are
// trimmed, _ a space, \ takes the next character literally; every other character is a literal.
#pragma once

#include "QXGlobal.h"

#include <QString>

namespace QXPlatform {

/// The QLineEdit::inputMask for a stored edit mask; empty when the mask has no mask characters.
QXINSPECTORCORE_EXPORT QString EditMaskToInputMask(const QString &Mask);
/// Whether the text of a masked edit is kept with its literals (the second field is not "0").
QXINSPECTORCORE_EXPORT bool MaskSavesLiterals(const QString &Mask);

} // namespace QXPlatform
