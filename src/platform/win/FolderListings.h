// The entries of host folders, kept between path lookups: mapping a game path finds each of its
// components in its folder without regard to case, and reading the folder for every lookup made
// opening a file cost a directory scan per component.
//
// A kept listing can go stale when something outside the program changes the folder, so a lookup
// reports whether its answer came from a kept listing: the path mapping then checks that the path
// it built exists, and when it does not, forgets every listing and maps the path again from fresh
// reads. A name that a kept listing lacks is always looked up in a fresh read. The file functions
// of the stand-in forget the listings whenever they create, rename or delete something.
//
// Thread-safe. Used only by the path mapping (PathMapper.cpp) and the file functions.
#pragma once

#include <string>
#include <utility>
#include <vector>

// One host folder's entries ("." and ".." left out).
class FolderListing {
public:
    // Reads folder ("" for the current folder). False when it cannot be read.
    bool Read(const std::string& folder);

    // The entry equal to name (UTF-8) without regard to ASCII case; when there is none, the entry
    // equal to the raw Shift-JIS bytes rawName without regard to the case of its single-byte
    // characters. Among entries that differ only in case, the one that sorts first byte-wise.
    // When rawName equals name, single-byte case rules apply to name too. False when nothing
    // matches.
    bool Find(const std::string& name, const std::string& rawName, std::string& found) const;

    std::size_t Size() const { return m_entries.size(); }

private:
    // (name with ASCII letters upper-cased, name), sorted: the entries that may match a name
    // are one range, in byte-wise order.
    std::vector<std::pair<std::string, std::string>> m_entries;
};

enum class HostEntryLookup {
    KeptHit,          // found in a kept listing (which may be stale)
    FreshHit,         // found in a listing read just now
    FreshMiss,        // not in a listing read just now: the folder exists, the entry does not
    FolderUnreadable  // the folder could not be read (it may not exist)
};

// Finds name in the host folder `folder` as FolderListing::Find does, from the listing kept for
// it or else from a fresh read (then kept). absoluteFolder is the folder's absolute host path,
// the key of its listing (folder may be relative to the current folder). found is set for the
// two hits.
HostEntryLookup FindHostEntryKept(const std::string& folder, const std::string& absoluteFolder, const std::string& name,
                                  const std::string& rawName, std::string& found);

// Forgets every kept listing. Called by the file functions after they created, renamed or deleted
// a file or folder, and by the path mapping when a kept listing proved stale.
void ForgetHostListings();
