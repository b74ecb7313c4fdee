#pragma once
// The value of a check box as the settings files keep it: 0 unticked, 1 ticked, 2 grey.
#include <QCheckBox>

namespace platform {

inline int checkBoxValue(const QCheckBox& box)
{
    switch (box.checkState()) {
    case Qt::Unchecked:
        return 0;
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    }
    return 0;
}

// 0 unticks, 2 greys, anything else ticks. Only a grey box is tri-state, so that the user's
// clicks tick and untick as ever.
inline void setCheckBoxValue(QCheckBox& box, int value)
{
    box.setTristate(value == 2);
    box.setCheckState(value == 0 ? Qt::Unchecked
                                 : value == 2 ? Qt::PartiallyChecked : Qt::Checked);
}

} // namespace platform
