#ifndef LIFTWISE_SECTIONOVERLAY_H
#define LIFTWISE_SECTIONOVERLAY_H

#include <QColor>
#include <QList>
#include <QString>

class Study;

// Another section drawn under the current one, in its colour and under its name.
struct SectionOverlay
{
    const Study *study;
    QColor colour;
    QString name;
};

#endif // LIFTWISE_SECTIONOVERLAY_H
