#pragma once

#include <QIcon>
#include <QString>

/// The toolbar icon `name` (res/icons/<name>.svg) in its normal state, with a hot state for
/// the button under the pointer: the same picture on a light highlight.
QIcon ToolbarIcon(const QString& name);
