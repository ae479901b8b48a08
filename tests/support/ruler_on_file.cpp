#include "ruler_on_file.h"

RulerOnFile::RulerOnFile(const QByteArray &settingsText)
    : ruler(file.settings())
{
    if (!settingsText.isNull())
        file.setText("[General]\n" + settingsText);
}

void RulerOnFile::start()
{
    ruler.show();
    ruler.activateWindow();
}
