#pragma once

// The fixed texts of the window that name the service host: the example post addresses and the
// help text that shows them.

#include <QString>
#include <QStringList>

namespace ui {

// The two example post addresses on `serviceHost` (host or host:port), one user, two posts.
QStringList ExamplePostAddresses(const QString& serviceHost);

// The help shown by the help picture and its link: 32 lines joined by line breaks, no break
// after the last.
QString HelpText(const QString& serviceHost);

// The fixed web pages of the toolbar strip.
inline constexpr char kHomePageAddress[] = "https://tervane.org/";
inline constexpr char kContactAddress[] = "https://tervane.org/contact";
inline constexpr char kMoreSoftwareAddress[] = "https://tervane.org/software";
inline constexpr char kLogoAddress[] = "https://tervane.org/about";

}  // namespace ui
