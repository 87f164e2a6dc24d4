/// \file
/// What the library's dialogs share with the application: the help hook that a dialog's Help button
/// calls, and the file dialog filters written as "Text files (*.TXT)|*.TXT|All files (*.*)|*.*".
#pragma once

#include "QXGlobal.h"

#include <QStringList>
#include <functional>

class QFileDialog;

namespace QXPlatform {

/// Shows the application's help for a help context number.
using THelpHandler = std::function<void(int HelpContext)>;

/// Replaces the help hook; returns the previous one. The default does nothing: Qt has no help system
/// of its own, so an application that ships help installs a handler.
QXINSPECTORCORE_EXPORT THelpHandler SetHelpHandler(THelpHandler Handler);
/// Hands HelpContext to the help hook.
QXINSPECTORCORE_EXPORT void ShowHelp(int HelpContext);

/// Qt's name filters for a filter text of description|patterns pairs: "Config files (*.SYS;*.INI)|
/// *.SYS;*.INI" gives "Config files (*.SYS *.INI *.sys *.ini)". A pattern in capitals also matches the
/// lower-case name, since file names are matched case-sensitively where the file system is. A pair
/// without patterns is dropped.
QXINSPECTORCORE_EXPORT QStringList ConvertFileFilter(const QString &Filter);
/// Sets Dialog's name filters from Filter and selects filter FilterIndex, counted from 1 (out of range:
/// the first).
QXINSPECTORCORE_EXPORT void SetFileFilter(QFileDialog &Dialog, const QString &Filter, int FilterIndex = 1);

} // namespace QXPlatform
