// The object inspector's presets as a settings text of their own, for form files.
#include "GSpecialFiler.h"
#include "QXObjectInspector.h"
#include "Streaming.h"

using namespace QXPlatform;

namespace {

// The root of a presets document: its one defined property holds the presets, each with its class,
// the way the inspector stores them with its own settings.
class TQXPresetsDocument : public QObject, public TPersistent
{
    Q_OBJECT

public:
    explicit TQXPresetsDocument(TQXPropertyPresets *Presets)
        : m_presets(Presets)
    { }

    void DefineProperties(TFiler *Filer) override
    {
        TPersistent::DefineProperties(Filer);
        Filer->DefineProperty(
            QStringLiteral("HPresets"),
            [this](TReader *Reader) { TGSpecialFiler(Reader).ReadCollection(m_presets); },
            [this](TWriter *Writer) { TGSpecialFiler(Writer).WriteCollection(m_presets); }, true);
    }

private:
    TQXPropertyPresets *m_presets;
};

} // namespace

QString TQXObjectInspector::PresetsStream() const
{
    TQXPresetsDocument *document = Create<TQXPresetsDocument>(Presets());
    TScopeExit free([document] { Free(document); });
    return QString::fromUtf8(WriteComponent(document, sfJson));
}

void TQXObjectInspector::setPresetsStream(const QString &Stream)
{
    Guarded([&] {
        if (Stream.trimmed().isEmpty()) {
            ResetDefaultPresets();
            return;
        }
        if (Stream == PresetsStream())
            return;
        // The reader checks the whole document and builds the new presets apart before it replaces
        // any, so a bad document changes nothing.
        TQXPresetsDocument *document = Create<TQXPresetsDocument>(Presets());
        TScopeExit free([document] { Free(document); });
        ReadComponent(document, Stream.toUtf8());
    });
}

#include "QXPresetsStream.moc"
