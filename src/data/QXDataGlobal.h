/// \file
/// Export macro of the QXInspectorData library (the dataset layer and the data-aware inspector).
#pragma once

#include <QtCore/qglobal.h>

/// Exports the data library's classes when it is built, imports them elsewhere.
#if defined(QXINSPECTORDATA_BUILD)
#define QXINSPECTORDATA_EXPORT Q_DECL_EXPORT
#else
#define QXINSPECTORDATA_EXPORT Q_DECL_IMPORT
#endif
