// Export macro of the QXInspectorData library (the dataset layer and the data-aware inspector).
#pragma once

#include <QtCore/qglobal.h>

#if defined(QXINSPECTORDATA_BUILD)
#define QXINSPECTORDATA_EXPORT Q_DECL_EXPORT
#else
#define QXINSPECTORDATA_EXPORT Q_DECL_IMPORT
#endif
