#include "KvtmlImport.h"

#include "XmlNames.h"
#include "XmlParseError.h"

#include <QFileInfo>

#include <cstdio>
#include <set>

namespace {

QString Text(const CXmlNode& node) { return node ? QString::fromStdU16String(node.text()).trimmed() : QString(); }

QString Attribute(const CXmlNode& element, std::u16string_view name)
{
    return Text(element.getNamedItem(name));
}

std::vector<CXmlNode> Children(const CXmlNode& parent, std::u16string_view name)
{
    std::vector<CXmlNode> found;
    for (const CXmlNode& child : ElementChildren(parent))
        if (child.nodeName() == name) found.push_back(child);
    return found;
}

} // namespace

CKvtmlImport::CKvtmlImport(std::string path, Settings settings)
    : m_path(std::move(path)), m_settings(std::move(settings)),
      m_folder(QFileInfo(QString::fromStdString(m_path)).absolutePath()), m_state(m_settings.seed)
{
}

bool CKvtmlImport::Fail(const QString& reason)
{
    m_error = m_path + ": " + reason.toStdString();
    return false;
}

void CKvtmlImport::Warn(const QString& finding) const
{
    std::fprintf(stderr, "warning: %s: %s\n", m_path.c_str(), finding.toStdString().c_str());
}

bool CKvtmlImport::Read(std::string_view bytes, ImportedQuiz& quiz)
{
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    const XmlDocumentPtr document = CXmlDocument::Create();
    if (!document) return Fail("the XML parser can't be started");
    if (!document->loadXMLUtf8(bytes)) {
        const XmlParseError error = FindXmlParseError(bytes);
        if (error.line > 0)
            m_error = m_path + ":" + std::to_string(error.line) + ": not well-formed (" + error.reason + ")";
        else
            m_error = m_path + ": " + DescribeXmlParseError(error);
        return false;
    }
    const CXmlNode kvtml = FirstElementChild(document->node(), u"kvtml");
    if (!kvtml) return Fail("not a KVTML file (it has no kvtml element)");
    const QString version = Attribute(kvtml, u"version");
    if (!version.startsWith("2")) return Fail(QString("KVTML version \"%1\"; only version 2 is read").arg(version));
    if (!CheckIdentifiers(kvtml) || !ReadEntries(kvtml)) return false;

    if (quiz.title.isEmpty()) quiz.title = Text(FirstElementChild(FirstElementChild(kvtml, u"information"), u"title"));
    std::vector<std::pair<QString, std::vector<QString>>> lessons;
    CollectLessons(FirstElementChild(kvtml, u"lessons"), lessons);
    std::set<QString> inLesson;
    for (const auto& [name, ids] : lessons) inLesson.insert(ids.begin(), ids.end());
    std::vector<QString> loose;
    for (const Entry& entry : m_entries)
        if (!inLesson.count(entry.id)) loose.push_back(entry.id);
    if (!loose.empty()) lessons.emplace_back(m_settings.defaultRound, loose);
    for (const auto& [name, ids] : lessons)
        if (!AddRound(name, ids, quiz)) return false;
    if (quiz.rounds.empty()) return Fail("no entry has text for both identifiers");
    return true;
}

bool CKvtmlImport::CheckIdentifiers(const CXmlNode& kvtml)
{
    std::set<int> ids;
    QString known;
    for (const CXmlNode& identifier : Children(FirstElementChild(kvtml, u"identifiers"), u"identifier")) {
        ids.insert(Attribute(identifier, u"id").toInt());
        known += QString("%1%2 \"%3\"")
                     .arg(known.isEmpty() ? "" : ", ", Attribute(identifier, u"id"),
                          Text(FirstElementChild(identifier, u"name")));
    }
    for (const int wanted : {m_settings.questionId, m_settings.answerId})
        if (!ids.count(wanted))
            return Fail(QString("there is no identifier %1 (the file has %2)").arg(wanted).arg(known.isEmpty() ? "none" : known));
    return true;
}

bool CKvtmlImport::ReadEntries(const CXmlNode& kvtml)
{
    for (const CXmlNode& element : Children(FirstElementChild(kvtml, u"entries"), u"entry")) {
        const QString id = Attribute(element, u"id");
        Entry entry;
        entry.id = id;
        QString answerPicture;
        for (const CXmlNode& translation : Children(element, u"translation")) {
            const int language = Attribute(translation, u"id").toInt();
            const QString text = Text(FirstElementChild(translation, u"text"));
            const QString image = Text(FirstElementChild(translation, u"image"));
            if (language == m_settings.questionId) {
                entry.question = text;
                entry.picture = image;
            }
            if (language == m_settings.answerId) {
                entry.answer = text;
                answerPicture = image;
            }
        }
        if (entry.question.isEmpty() || entry.answer.isEmpty()) {
            Warn(QString("entry %1 has no text for identifier %2 and is skipped")
                     .arg(id)
                     .arg(entry.question.isEmpty() ? m_settings.questionId : m_settings.answerId));
            continue;
        }
        for (const QString& text : {entry.question, entry.answer})
            if (const QString problem = UnshowableText(text); !problem.isEmpty())
                return Fail(QString("entry %1 \"%2\": %3").arg(id, text, problem));
        if (entry.picture.isEmpty()) entry.picture = answerPicture;
        m_entryIndex[id] = m_entries.size();
        m_entries.push_back(entry);
    }
    return true;
}

void CKvtmlImport::CollectLessons(const CXmlNode& parent, std::vector<std::pair<QString, std::vector<QString>>>& lessons)
{
    for (const CXmlNode& container : Children(parent, u"container")) {
        std::vector<QString> ids;
        for (const CXmlNode& reference : Children(container, u"entry")) ids.push_back(Attribute(reference, u"id"));
        if (!ids.empty()) lessons.emplace_back(Text(FirstElementChild(container, u"name")), std::move(ids));
        CollectLessons(container, lessons);
    }
}

bool CKvtmlImport::AddRound(const QString& lesson, const std::vector<QString>& entryIds, ImportedQuiz& quiz)
{
    std::vector<const Entry*> entries;
    for (const QString& id : entryIds)
        if (const auto found = m_entryIndex.find(id); found != m_entryIndex.end())
            entries.push_back(&m_entries[found->second]);
    if (entries.empty()) {
        Warn(QString("lesson \"%1\" has no usable entries and makes no round").arg(lesson));
        return true;
    }
    if (const QString problem = UnshowableText(lesson); !problem.isEmpty())
        return Fail(QString("lesson \"%1\": %2").arg(lesson, problem));
    // Each distinct answer once, as it is first written.
    std::vector<QString> answers;
    std::set<QString> keys;
    for (const Entry* entry : entries)
        if (keys.insert(AnswerKey(entry->answer)).second) answers.push_back(entry->answer);
    if (answers.size() < 4)
        return Fail(QString("lesson \"%1\" has only %2 distinct answers; every test needs its own and three others")
                        .arg(lesson)
                        .arg(answers.size()));

    ImportedRound& round = RoundNamed(quiz, lesson);
    for (const Entry* entry : entries) {
        std::vector<QString> others;
        for (const QString& answer : answers)
            if (AnswerKey(answer) != AnswerKey(entry->answer)) others.push_back(answer);
        ImportedTest test{entry->question, entry->answer, {}, entry->picture, {}};
        // The first three places of a shuffle, with a generator of our own so
        // that every build draws alike.
        for (size_t i = 0; i < test.options.size(); ++i) {
            m_state = m_state * 1664525u + 1013904223u;
            const size_t pick = i + (m_state >> 8) % (others.size() - i);
            std::swap(others[i], others[pick]);
            test.options[i] = others[i];
        }
        if (!test.pictureName.isEmpty()) {
            QString problem;
            if (!ReadPictureFile(m_folder, test.pictureName, test.picture, problem))
                return Fail(QString("entry \"%1\": %2").arg(entry->question, problem));
        }
        round.tests.push_back(std::move(test));
    }
    return true;
}
