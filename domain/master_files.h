// master_files.h - the four master files: where they lie on the servers,
// where the downloads put them, under which names the load removes them, and
// the texts of the step that fetches each.
//
// One table serves the downloads, the removal and the readers, in the order
// the load fetches and removes them.
#pragma once

#include "domain/server_paths.h"

#include <array>
#include <cstdint>
#include <string>

namespace nk {

struct MasterFile {
  // Where the download puts the file and the reader reads it.
  const char* localPath;
  // The names the removal tests for presence and deletes.
  const char* testedName;
  const char* deletedName;
  // The path below a server's base folder: before, the version number (when
  // withVersion), after.
  const char* serverPathBefore;
  bool withVersion;
  const char* serverPathAfter;
  // The file's two URLs in ServerPaths.
  std::string ServerPaths::*primaryUrl;
  std::string ServerPaths::*secondaryUrl;
  // The download step: its traced name, its log lines and status texts.
  const char* stepName;
  const char* startLog;
  const char* fetchingStatus;
  const char* successLog;
  const char* failureLog;
  const char* failureStatus;

  std::string serverPath(int16_t versionNumber) const {
    return std::string(serverPathBefore) + (withVersion ? std::to_string(versionNumber) : std::string()) +
           serverPathAfter;
  }
};

enum MasterFileId : std::size_t { SongMaster, SRList, VersionSongList, NKVersion };

inline constexpr std::array<MasterFile, 4> MasterFiles{{
    {"./songlist.dat", "songlist.dat", "./songlist.dat", "common/songlist.dat", false, "",
     &ServerPaths::PrimarySongMasterUrl, &ServerPaths::SecondarySongMasterUrl, "DownloadSongMaster",
     "曲マスタ受信開始", "曲マスタを受信中です", "曲マスタ受信終了", "曲マスタ受信失敗",
     "曲マスタの受信に失敗しました。"},
    {"./srlist.dat", "srlist.dat", "./srlist.dat", "sr/", true, "/srlist.dat", &ServerPaths::PrimarySRListUrl,
     &ServerPaths::SecondarySRListUrl, "DownloadSRList", "スコアランキング対象曲リスト受信開始",
     "スコアランキング対象曲リストを受信中です", "スコアランキング対象曲リスト受信終了",
     "スコアランキング対象曲リスト受信失敗", "スコアランキング対象曲リストの受信に失敗しました。"},
    {"./versionlist.dat", "versionlist.dat", "versionlist.dat", "common/ac", true, "list.dat",
     &ServerPaths::PrimaryVersionSongListUrl, &ServerPaths::SecondaryVersionSongListUrl,
     "DownloadVersionSongList", "バージョン曲リスト受信開始", "バージョン曲リストを受信中です",
     "バージョン曲リスト受信終了", "バージョン曲リスト受信失敗", "バージョン曲リストの受信に失敗しました。"},
    {"./version.dat", "version.dat", "version.dat", "common/nkclient.dat", false, "",
     &ServerPaths::PrimaryNKVersionUrl, &ServerPaths::SecondaryNKVersionUrl, "DownloadNKVersion",
     "ノルカクライアント要求ファイル受信開始", "ノルカクライアント要求ファイルを受信中です",
     "ノルカクライアント要求ファイル受信終了", "ノルカクライアント要求ファイル受信失敗",
     "ノルカクライアント要求ファイルの受信に失敗しました。"},
}};

}  // namespace nk
