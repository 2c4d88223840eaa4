#pragma once

#include <QString>
#include <QUrl>

namespace mirte {

// The pages and the mailbox that the Internet menu and the toolbar open. They are settings of
// the distribution, kept here in one place; a packager replaces them with the real addresses.
struct TInternetLinks {
    QUrl HomePageIndex; // the toolbar's Internet button: the program's index page
    QUrl HomePage;      // "ミルテホームページ": the program's Japanese page
    QUrl PhotoGallery;  // a partner's free photo gallery
    QString PhotoGalleryName;
    QUrl ClipArt; // a partner's free clip-art page
    QString ClipArtName;
    QString BugMailAddress;

    static const TInternetLinks& Default();

    // A partner's name as the menu shows it: the name in the language in use when it is one of
    // Default()'s, else as it is (a packager's own name).
    static QString ShownName(const QString& name);

    // "mailto:" the bug mailbox with the body naming the version in use.
    QUrl BugReportMail() const;
};

} // namespace mirte
