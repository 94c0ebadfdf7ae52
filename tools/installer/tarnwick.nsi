; The Windows installer of Tarnwick. tools/package runs it as
;   makensis -DVERSION=x.y.z -DSTAGE=<folder with the files> -DOUTFILE=<setup.exe> tarnwick.nsi
; /S installs and uninstalls silently.

Unicode true
; The programs are 64-bit, so the installer is too: it then needs no 32-bit Windows layer and sees
; the 64-bit Program Files folder and registry directly.
Target amd64-unicode
SetCompressor /SOLID lzma

!ifndef VERSION
  !error "VERSION must be defined"
!endif
!ifndef STAGE
  !error "STAGE must be defined"
!endif
!ifndef OUTFILE
  !error "OUTFILE must be defined"
!endif

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define PRODUCT "Tarnwick"
!define PROGID "Tarnwick.VisFile"
!define CLASSES "Software\Classes"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarnwick"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=1033 "CompanyName" "The Tarnwick team"
VIAddVersionKey /LANG=1033 "LegalCopyright" "The Tarnwick team"

!define MUI_ICON "${STAGE}\tarnwick.ico"
!define MUI_UNICON "${STAGE}\tarnwick.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\tarnwick.exe"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\guide.html"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Show the user guide"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetShellVarContext all
FunctionEnd

; Tells Explorer that file associations changed, so icons and double clicks follow at once.
!macro NotifyAssociationsChanged
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
!macroend

Section "Tarnwick"
  SetOutPath "$INSTDIR"
  File "${STAGE}\tarnwick.exe"
  File "${STAGE}\tarnwick-cli.exe"
  File "${STAGE}\guide.html"
  SetOutPath "$INSTDIR\guide"
  File "${STAGE}\guide\*.png"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\tarnwick.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT} user guide.lnk" "$INSTDIR\guide.html"

  ; The file type that opens a VIS file with Tarnwick. It is always offered under "Open with";
  ; it becomes what a double click does only when .vis files have no program of their own yet.
  WriteRegStr HKLM "${CLASSES}\${PROGID}" "" "Flight Simulator scenery control file"
  WriteRegStr HKLM "${CLASSES}\${PROGID}\DefaultIcon" "" '"$INSTDIR\tarnwick.exe",0'
  WriteRegStr HKLM "${CLASSES}\${PROGID}\shell\open\command" "" '"$INSTDIR\tarnwick.exe" "%1"'
  WriteRegStr HKLM "${CLASSES}\.vis\OpenWithProgids" "${PROGID}" ""
  ReadRegStr $0 HKCR ".vis" ""
  ${If} $0 == ""
  ${OrIf} $0 == "${PROGID}"
    WriteRegStr HKLM "${CLASSES}\.vis" "" "${PROGID}"
    ; Remembered so that the uninstaller gives back only an association that it made.
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "MadeVisAssociation" 1
    DetailPrint "VIS files now open with Tarnwick"
  ${Else}
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "MadeVisAssociation" 0
    DetailPrint "VIS files keep their program ($0); Tarnwick is offered under Open with"
  ${EndIf}
  !insertmacro NotifyAssociationsChanged

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Tarnwick team"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\tarnwick.exe",0'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT} user guide.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"

  ; Only what the installer made: an association the user has set since stays theirs.
  ReadRegDWORD $1 HKLM "${UNINSTALL_KEY}" "MadeVisAssociation"
  ReadRegStr $0 HKLM "${CLASSES}\.vis" ""
  ${If} $1 == 1
  ${AndIf} $0 == "${PROGID}"
    DeleteRegValue HKLM "${CLASSES}\.vis" ""
  ${EndIf}
  DeleteRegValue HKLM "${CLASSES}\.vis\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifempty HKLM "${CLASSES}\.vis\OpenWithProgids"
  DeleteRegKey /ifempty HKLM "${CLASSES}\.vis"
  DeleteRegKey HKLM "${CLASSES}\${PROGID}"
  !insertmacro NotifyAssociationsChanged

  Delete "$INSTDIR\tarnwick.exe"
  Delete "$INSTDIR\tarnwick-cli.exe"
  Delete "$INSTDIR\guide.html"
  Delete "$INSTDIR\guide\*.png"
  RMDir "$INSTDIR\guide"
  Delete "$INSTDIR\uninstall.exe"
  ; Not /r: anything the user put into the folder stays, and so does the folder then.
  RMDir "$INSTDIR"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
