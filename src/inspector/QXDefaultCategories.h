/// \file
/// The category table an inspector fills its categories with: where properties of well-known names go when
/// the rows are arranged by category. Shared by the object inspector and the data-aware inspector.
#pragma once

#include "QXGlobal.h"

#include <QStringList>

/// The table's lines, name=category, in order; a name listed more than once goes into each category.
QXINSPECTORCORE_EXPORT QStringList QXDefaultCategoryTable();
