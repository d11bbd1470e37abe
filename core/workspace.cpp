#include "workspace.h"

#include "format.h"
#include "study.h"

#include <QBuffer>
#include <QFileInfo>

struct Workspace::Section
{
    std::unique_ptr<Study> study;
    int colour = 0;
    bool visible = true;
    // For a copy with presses: the name it was taken under.
    QString name;
};

Workspace::Workspace(QObject *parent)
    : QObject(parent)
    , cache(std::make_shared<InverseCache>())
{
    add(true);
}

Workspace::~Workspace() = default;

Study *Workspace::study(int i) const
{
    return i >= 0 && i < count() ? sections[size_t(i)]->study.get() : nullptr;
}

int Workspace::indexOf(const Study *study) const
{
    for (int i = 0; i < count(); ++i) {
        if (sections[size_t(i)]->study.get() == study)
            return i;
    }
    return -1;
}

QString Workspace::name(int i) const
{
    const Section &section = *sections.at(size_t(i));
    if (!section.name.isEmpty())
        return section.name;
    const QString title = Format::printable(section.study->data().title).trimmed();
    if (!title.isEmpty())
        return title;
    const QString path = section.study->path();
    return path.isEmpty() ? tr("untitled") : QFileInfo(path).fileName();
}

int Workspace::colour(int i) const { return sections.at(size_t(i))->colour; }

bool Workspace::isVisible(int i) const { return sections.at(size_t(i))->visible; }

void Workspace::setVisible(int i, bool visible)
{
    if (sections.at(size_t(i))->visible == visible)
        return;
    sections[size_t(i)]->visible = visible;
    emit sectionsChanged();
}

std::vector<const Study *> Workspace::overlaid() const
{
    std::vector<const Study *> shown;
    for (int i = 0; i < count(); ++i) {
        if (i != currentAt && sections[size_t(i)]->visible
            && sections[size_t(i)]->study->isLoaded())
            shown.push_back(sections[size_t(i)]->study.get());
    }
    return shown;
}

Study *Workspace::add(bool makeCurrent)
{
    Study *study = append(std::make_unique<Study>(cache, this), QString());
    if (makeCurrent)
        setCurrent(count() - 1);
    return study;
}

Study *Workspace::append(std::unique_ptr<Study> study, const QString &name)
{
    auto section = std::make_unique<Section>();
    section->study = std::move(study);
    section->name = name;
    // The first colour no section holds, so that each keeps its own as others come and go.
    std::vector<bool> taken(Colours, false);
    for (const auto &held : sections)
        taken[size_t(held->colour)] = true;
    section->colour = count() % Colours;
    for (int c = Colours - 1; c >= 0; --c) {
        if (!taken[size_t(c)])
            section->colour = c;
    }
    sections.push_back(std::move(section));
    emit sectionsChanged();
    return sections.back()->study.get();
}

Study *Workspace::addCopy()
{
    const Study *from = current();
    QByteArray text;
    if (!from->isLoaded() || from->savedText(&text))
        return nullptr;
    QBuffer buffer(&text);
    buffer.open(QIODevice::ReadOnly);
    auto copy = std::make_unique<Study>(cache, this);
    if (copy->load(&buffer, QString(), from->paneling()))
        return nullptr;
    return append(std::move(copy),
        from->presses().empty() ? QString() : tr("%1 (reshaped)").arg(name(currentAt)));
}

void Workspace::remove(int i)
{
    if (i < 0 || i >= count())
        return;
    // The window always has a section: an empty one takes the place of the last.
    if (count() == 1)
        add(false);
    // The views leave the section before it goes.
    if (i == currentAt)
        setCurrent(i + 1 < count() ? i + 1 : i - 1);
    const std::unique_ptr<Section> gone = std::move(sections[size_t(i)]);
    sections.erase(sections.begin() + i);
    if (i < currentAt)
        --currentAt;
    emit sectionsChanged();
}

void Workspace::setCurrent(int i)
{
    if (i < 0 || i >= count() || i == currentAt)
        return;
    Study *before = current();
    currentAt = i;
    emit currentChanged(current(), before);
    emit sectionsChanged();
}
