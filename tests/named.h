#ifndef LIFTWISE_TESTS_NAMED_H
#define LIFTWISE_TESTS_NAMED_H

#include <QWidget>

// A widget found the way assistive tools find it: by its accessible name.
template <typename T> T *named(QWidget *window, const QString &name)
{
    for (T *widget : window->findChildren<T *>())
        if (widget->accessibleName() == name)
            return widget;
    qFatal("no widget named %s", qPrintable(name));
    return nullptr;
}

#endif // LIFTWISE_TESTS_NAMED_H
