#pragma once

#include <QIcon>
#include <QPixmap>

// The window's icon (an open padlock, 32 and 16 px) and the 49 x 47 logo,
// drawn rather than shipped so they stay sharp and need no files.
QIcon padlockIcon();
QPixmap logoPixmap();
