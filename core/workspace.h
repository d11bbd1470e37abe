#ifndef LIFTWISE_WORKSPACE_H
#define LIFTWISE_WORKSPACE_H

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class InverseCache;
class Study;

// The sections the window holds for comparison, each a full Study of its own with its presses
// and its file, all sharing one cache of inverses, so that a paneling is inverted once for all
// of them. One is the current section, which the panels, the fields and the actions act on;
// each keeps its colour (a place in the views' palette) while it is held, and is shown or not.
// There is always a current section, loaded or not. The studies are the workspace's children.
class Workspace : public QObject
{
    Q_OBJECT

public:
    // How many colours the views' palette has: a section takes the first one no other holds,
    // and shares one only beyond this many sections.
    static constexpr int Colours = 8;

    explicit Workspace(QObject *parent = nullptr);
    ~Workspace() override;

    int count() const { return int(sections.size()); }
    Study *study(int i) const;
    int indexOf(const Study *study) const;
    Study *current() const { return study(currentAt); }
    int currentIndex() const { return currentAt; }
    // The section's name in the list: its title ("NACA 2412"), the file's name where the title
    // is blank, and "(reshaped)" after it for a copy taken with presses.
    QString name(int i) const;
    int colour(int i) const;
    bool isVisible(int i) const;
    void setVisible(int i, bool visible);
    // The sections drawn over the current one: the visible ones other than it.
    std::vector<const Study *> overlaid() const;

    // A new section without a file, at the end; made current when asked.
    Study *add(bool makeCurrent);
    // A copy of the current section as it stands, as a save would write it, at its paneling, at
    // the end; the current section stays. Null before a load, or when an open would refuse it.
    Study *addCopy();
    // Takes the section out, and with it its study, once the next one (or the one before) is
    // current in its place. The last section leaves an empty one in its place.
    void remove(int i);
    void setCurrent(int i);

    const std::shared_ptr<InverseCache> &inverses() const { return cache; }

signals:
    // A section came or went, or its name, colour or visibility changed.
    void sectionsChanged();
    // Another section is current; before is the one that was, still there.
    void currentChanged(Study *now, Study *before);

private:
    struct Section;
    Study *append(std::unique_ptr<Study> study, const QString &name);
    std::shared_ptr<InverseCache> cache;
    std::vector<std::unique_ptr<Section>> sections;
    int currentAt = 0;
};

#endif // LIFTWISE_WORKSPACE_H
