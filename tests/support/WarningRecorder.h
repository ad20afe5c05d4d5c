#pragma once
// Collects what Qt's warning channel says while it lives, so that a test can
// check that a fault was reported, and how.
#include <QString>
#include <QtGlobal>

#include <string>
#include <vector>

class CWarningRecorder {
public:
    CWarningRecorder() { m_previous = qInstallMessageHandler(&CWarningRecorder::Record); }
    ~CWarningRecorder()
    {
        qInstallMessageHandler(m_previous);
        Lines().clear();
    }
    CWarningRecorder(const CWarningRecorder&) = delete;
    CWarningRecorder& operator=(const CWarningRecorder&) = delete;

    const std::vector<std::string>& Warnings() const { return Lines(); }

private:
    static std::vector<std::string>& Lines()
    {
        static std::vector<std::string> lines;
        return lines;
    }
    static void Record(QtMsgType type, const QMessageLogContext&, const QString& message)
    {
        if (type == QtWarningMsg) Lines().push_back(message.toStdString());
    }

    QtMessageHandler m_previous = nullptr;
};
