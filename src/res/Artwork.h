#pragma once
#include <QIcon>
#include <QImage>

// The toolbar images (17 x 15 pixels) by command id: Open 32790, Save 32786,
// Export 32785, Run 32771, Stop 32772, Print Graph 32802, About 57664. A null
// image for any other id.
QImage ToolbarImage(int commandId);

// The application icon: a small sound level meter.
QIcon AppIcon();
QImage AppIconImage(int size);
