/// \file
/// The library's own exception classes. EQXException is the base of everything the library raises for its
/// own errors; EVESKException carries the item list editor's and inspector's messages (QXConsts.h).
#pragma once

#include "Exceptions.h"

/// Base of the exceptions the library raises for its own errors.
class QXINSPECTORCORE_EXPORT EQXException : public QXPlatform::Exception
{
public:
    using QXPlatform::Exception::Exception;
    QString ClassName() const override { return QStringLiteral("EQXException"); }
};

/// The item list editor's and inspector's errors, with the messages of QXConsts.h.
class QXINSPECTORCORE_EXPORT EVESKException : public EQXException
{
public:
    using EQXException::EQXException;
    QString ClassName() const override { return QStringLiteral("EVESKException"); }
};
