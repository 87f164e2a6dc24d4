// The data-aware inspector page of the demo: an SQLite database made at start in a temporary folder, with
// one table of parts, navigation buttons, and the table's records in three data-aware inspectors (one
// record line; three record lines vertically; three record lines horizontally).
#pragma once

#include <QWidget>
#include <memory>

class QLabel;
class QTemporaryDir;
class TQXDBInspector;

namespace QXPlatform {
class TDataLink;
class TDataSource;
class TQXSqlDataSet;
} // namespace QXPlatform

class TDBInspectorDemo : public QWidget
{
public:
    explicit TDBInspectorDemo(QWidget *parent = nullptr);
    ~TDBInspectorDemo() override;
    Q_DISABLE_COPY_MOVE(TDBInspectorDemo)

    QXPlatform::TQXSqlDataSet *DataSet() const { return m_dataSet; }
    TQXDBInspector *OneLine() const { return m_oneLine; }
    TQXDBInspector *ThreeLines() const { return m_threeLines; }
    TQXDBInspector *Horizontal() const { return m_horizontal; }

private:
    bool createDatabase();
    TQXDBInspector *makeInspector(int RecordLines, bool Horizontal);
    /// Runs a dataset operation from a button; a refusal (a failed post) goes to the status line.
    void run(void (QXPlatform::TQXSqlDataSet::*Operation)());
    void showState();

    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_connection;
    QXPlatform::TQXSqlDataSet *m_dataSet = nullptr;
    QXPlatform::TDataSource *m_source = nullptr;
    TQXDBInspector *m_oneLine = nullptr;
    TQXDBInspector *m_threeLines = nullptr;
    TQXDBInspector *m_horizontal = nullptr;
    QLabel *m_status = nullptr;
    std::unique_ptr<QXPlatform::TDataLink> m_statusLink;
};
