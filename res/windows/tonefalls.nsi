; The Windows installer, made by build-windows.sh with makensis from the laid-out game folder:
;   makensis -DVERSION=1.2.3 -DSOURCE=dist/windows -DICON=tonefalls.ico -DSONGS=songs.nsh \
;            -DOUTFILE=setup.exe tonefalls.nsi
; SONGS holds the macro BundledSongs, naming each song of the folder's songs\ (build-windows.sh
; writes it from the songs it composed).
; It installs for every user into Program Files (administrator rights), or for the player alone
; into their own programs folder without them: the player's choice on the first page, or
; /AllUsers or /CurrentUser with /S. The marker file tells the game it is installed, so it keeps
; its key file and settings in %APPDATA%\Tonefalls; the uninstaller removes the program's own
; files and nothing of the player's.
Unicode true
SetCompressor /SOLID lzma
; The shipped installer is a 32-bit program like the game; the checks that can only run 64-bit
; programs make one of the 64-bit game with -DTARGET=amd64-unicode.
!ifdef TARGET
  Target ${TARGET}
!endif

!ifndef VERSION
  !error "VERSION, SOURCE, ICON and OUTFILE must be given with -D"
!endif
!ifndef SOURCE
  !error "VERSION, SOURCE, ICON and OUTFILE must be given with -D"
!endif
!ifndef ICON
  !error "VERSION, SOURCE, ICON and OUTFILE must be given with -D"
!endif
!ifndef OUTFILE
  !error "VERSION, SOURCE, ICON and OUTFILE must be given with -D"
!endif
!ifndef SONGS
  !error "SONGS, the list of the songs that come with the game, must be given with -D"
!endif
!include "${SONGS}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tonefalls"
!define PROGRAM_KEY "Software\Tonefalls"
!define SONG_CLASS "Tonefalls.MidiFile"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "Tonefalls"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${PROGRAM_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallMode"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${PROGRAM_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallDir"
!include MultiUser.nsh
!include MUI2.nsh

Name "Tonefalls"
OutFile "${OUTFILE}"
BrandingText "Tonefalls ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "Tonefalls"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "Tonefalls ${VERSION} installer"
VIAddVersionKey /LANG=0 "LegalCopyright" "The Tonefalls developers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\Tonefalls.exe"

!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"
!insertmacro MUI_LANGUAGE "English"

LangString SongFilesSection ${LANG_JAPANESE} ".mid ファイルを Tonefalls で開く"
LangString SongFilesSection ${LANG_ENGLISH} "Open .mid files with Tonefalls"
LangString SongClassName ${LANG_JAPANESE} "MIDI ファイル"
LangString SongClassName ${LANG_ENGLISH} "MIDI file"

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

; The program's own files, named one by one so the uninstaller removes exactly these.
!macro ProgramFiles DO
  ${DO} "Tonefalls.exe"
  ${DO} "main.bmp"
  ${DO} "title.bmp"
  ${DO} "title-en.bmp"
  ${DO} "result.bmp"
  ${DO} "help\help.html"
  ${DO} "help\help-en.html"
  ${DO} "help\help.css"
  !insertmacro BundledSongs "${DO}"
!macroend
!macro InstallFile NAME
  File "/oname=${NAME}" "${SOURCE}\${NAME}"
!macroend
!macro RemoveFile NAME
  Delete "$INSTDIR\${NAME}"
!macroend

Section "Tonefalls" GameSection
  SectionIn RO
  SetOutPath "$INSTDIR"
  CreateDirectory "$INSTDIR\help"
  CreateDirectory "$INSTDIR\songs"
  !insertmacro ProgramFiles "!insertmacro InstallFile"
  FileOpen $0 "$INSTDIR\Tonefalls-installed.txt" w
  FileWrite $0 "Installed by the Tonefalls ${VERSION} installer ($MultiUser.InstallMode).$\r$\n"
  FileClose $0
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortCut "$SMPROGRAMS\Tonefalls.lnk" "$INSTDIR\Tonefalls.exe" "" "$INSTDIR\Tonefalls.exe" 0

  WriteRegStr SHCTX "${PROGRAM_KEY}" "InstallMode" "$MultiUser.InstallMode"
  WriteRegStr SHCTX "${PROGRAM_KEY}" "InstallDir" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Tonefalls"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "The Tonefalls developers"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tonefalls.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Unticked unless the player ticks it.
Section /o "$(SongFilesSection)" SongFilesSection
  WriteRegStr SHCTX "Software\Classes\${SONG_CLASS}" "" "$(SongClassName)"
  WriteRegStr SHCTX "Software\Classes\${SONG_CLASS}\DefaultIcon" "" "$INSTDIR\Tonefalls.exe,0"
  WriteRegStr SHCTX "Software\Classes\${SONG_CLASS}\shell\open\command" "" '"$INSTDIR\Tonefalls.exe" "%1"'
  WriteRegStr SHCTX "Software\Classes\.mid" "" "${SONG_CLASS}"
  WriteRegStr SHCTX "Software\Classes\.mid\OpenWithProgids" "${SONG_CLASS}" ""
  WriteRegStr SHCTX "Software\Classes\Applications\Tonefalls.exe\SupportedTypes" ".mid" ""
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

; Only the program's own files and entries go: the player's key file, settings and records (in
; %APPDATA%\Tonefalls, or any left in the program's folder) stay, and so does the folder then.
Section "Uninstall"
  !insertmacro ProgramFiles "!insertmacro RemoveFile"
  Delete "$INSTDIR\Tonefalls-installed.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR\help"
  RMDir "$INSTDIR\songs"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Tonefalls.lnk"

  ReadRegStr $0 SHCTX "Software\Classes\.mid" ""
  StrCmp $0 "${SONG_CLASS}" 0 +2
    DeleteRegValue SHCTX "Software\Classes\.mid" ""
  DeleteRegValue SHCTX "Software\Classes\.mid\OpenWithProgids" "${SONG_CLASS}"
  DeleteRegKey SHCTX "Software\Classes\${SONG_CLASS}"
  DeleteRegKey SHCTX "Software\Classes\Applications\Tonefalls.exe"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  DeleteRegKey SHCTX "${PROGRAM_KEY}"
SectionEnd
