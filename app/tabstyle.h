#pragma once

#include <QString>

// The tab style that both mode windows use for Russian, whose tab titles need 150 pixels.
inline QString russianTabStyle()
{
    return QStringLiteral(
            "QTabWidget#tabWidget{border-color:rgb(255,0,0);}"
            "QTabBar::tab {color: rgb(255, 255, 255); border-top-left-radius: 5px;"
            "border-top-right-radius: 5px;padding: 5px;margin-right:10;width: 150;}"
            "QTabBar::tab:!selected {background-color: #929697;}"
            "QTabBar::tab:selected {background-color:#303030;}");
}
