; The Windows installer of Tavrelo: a 64-bit setup.exe with Simplified
; Chinese pages that installs tavrelo.exe for all users.
;
; Built by packaging/windows/CMakeLists.txt, which passes:
;   makensis -INPUTCHARSET UTF8 -DVERSION=0.1.0 -DPROGRAM=…\tavrelo.exe
;            -DLICENSE=…\LICENSE.txt -DREADME=…\说明.txt -DOUTFILE=…-setup.exe installer.nsi
; VERSION is the project's (major.minor.patch); any other one builds an
; installer of that version from the same files.
;
; What it writes, and all that the uninstaller removes again:
;   $INSTDIR\tavrelo.exe, LICENSE.txt, 说明.txt, uninstall.exe
;   the all-users Start menu shortcut Tavrelo.lnk, and on request the
;   all-users desktop shortcut Tavrelo.lnk
;   HKLM\${UNINSTALL_KEY}
; Command line: /S silent, /D=FOLDER (last) the folder, /DESKTOPSHORTCUT the
; desktop shortcut in a silent install.

!macro REQUIRE_DEFINE name
  !ifndef ${name}
    !error "define ${name} on the command line: makensis -D${name}=…"
  !endif
!macroend
!insertmacro REQUIRE_DEFINE VERSION
!insertmacro REQUIRE_DEFINE PROGRAM
!insertmacro REQUIRE_DEFINE LICENSE
!insertmacro REQUIRE_DEFINE README
!insertmacro REQUIRE_DEFINE OUTFILE

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel admin

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavrelo"
!define PUBLISHER "The Tavrelo developers"
!define DESCRIPTION "桩侧负摩阻力计算"
!define REQUIREMENT "Windows 7 SP1 或更高版本（64 位）"

Name "Tavrelo ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Tavrelo"
; An update goes where the installed version is, unless /D= says otherwise.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Tavrelo ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include WinVer.nsh

!define MUI_ICON "tavrelo.ico"
!define MUI_UNICON "tavrelo.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
; The welcome page's own words, with what the program runs on.
!define MUI_WELCOMEPAGE_TEXT "此程序将引导你完成 $(^NameDA) 的安装。$\r$\n$\r$\n运行环境：${REQUIREMENT}。$\r$\n$\r$\n在安装之前，请先关闭其他所有应用程序。这将确保安装程序能够更新所需的系统文件，从而避免在安装后重新启动计算机。$\r$\n$\r$\n$_CLICK"

; No licence page: the MIT licence asks nothing of whoever uses the program,
; so there is nothing to accept. It is installed as LICENSE.txt.
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "SimpChinese"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductName" "Tavrelo"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileDescription" "Tavrelo ${VERSION} 安装程序"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "LegalCopyright" "MIT License"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "Comments" "${REQUIREMENT}"

Section "Tavrelo（必需）" SecProgram
  SectionIn RO
  ; An installed Tavrelo, of this version or another, is uninstalled first
  ; by its own uninstaller, run in place and waited for: whatever it wrote
  ; goes, and what follows writes one fresh set under the one key.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} ${FileExists} "$0\uninstall.exe"
    ExecWait '"$0\uninstall.exe" /S _?=$0'
    Delete "$0\uninstall.exe"
    RMDir "$0"
  ${EndIf}

  SetOutPath "$INSTDIR"
  File "/oname=tavrelo.exe" "${PROGRAM}"
  File "/oname=LICENSE.txt" "${LICENSE}"
  File "/oname=说明.txt" "${README}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ; The working folder of the shortcuts is the output path: $INSTDIR.
  CreateShortcut "$SMPROGRAMS\Tavrelo.lnk" "$INSTDIR\tavrelo.exe" "" "$INSTDIR\tavrelo.exe" 0 SW_SHOWNORMAL "" \
    "${DESCRIPTION}"
SectionEnd

Section /o "桌面快捷方式" SecDesktop
  SetOutPath "$INSTDIR"
  CreateShortcut "$DESKTOP\Tavrelo.lnk" "$INSTDIR\tavrelo.exe" "" "$INSTDIR\tavrelo.exe" 0 SW_SHOWNORMAL "" \
    "${DESCRIPTION}"
SectionEnd

; Last, so that the size counts every file.
Section "-Uninstall entry"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Tavrelo"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tavrelo.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function .onInit
  ; Windows 7 without its service pack, and anything older, stops here.
  StrCpy $0 ""
  ${IfNot} ${AtLeastWin7}
    StrCpy $0 "old"
  ${ElseIf} ${IsWin7}
  ${AndIf} ${AtMostServicePack} 0
    StrCpy $0 "old"
  ${EndIf}
  ${If} $0 == "old"
    MessageBox MB_OK|MB_ICONSTOP "Tavrelo 需要 ${REQUIREMENT}。" /SD IDOK
    Abort
  ${EndIf}
  SetShellVarContext all
  ; The desktop shortcut stays ticked for whoever had one, and /DESKTOPSHORTCUT
  ; ticks it for a silent install.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/DESKTOPSHORTCUT" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecDesktop}
  ${EndIf}
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} ${FileExists} "$DESKTOP\Tavrelo.lnk"
    !insertmacro SelectSection ${SecDesktop}
  ${EndIf}
FunctionEnd

Function un.onInit
  SetShellVarContext all
FunctionEnd

; Only what the installer wrote: the folder goes only when nothing else is
; left in it.
Section "Uninstall"
  Delete "$SMPROGRAMS\Tavrelo.lnk"
  Delete "$DESKTOP\Tavrelo.lnk"
  Delete "$INSTDIR\tavrelo.exe"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\说明.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
