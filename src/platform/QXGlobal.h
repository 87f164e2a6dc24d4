/// \file
/// Export macro and the few declarations every header of the library needs.
#pragma once

#include <QtCore/qglobal.h>

/// Exports the core library's classes when it is built, imports them elsewhere.
#if defined(QXINSPECTORCORE_BUILD)
#define QXINSPECTORCORE_EXPORT Q_DECL_EXPORT
#else
#define QXINSPECTORCORE_EXPORT Q_DECL_IMPORT
#endif
