; The installer and uninstaller of the shipped i686 build. scripts/release.sh defines every
; product fact on the command line (from app/product.h) and stages the files in STAGE:
;   makensis -DPRODUCT=... -DVERSION=... -DPUBLISHER=... -DHOMEPAGE=... -DSIZE_KB=...
;            -DSTAGE=dir -DICON=file -DOUTFILE=file brimlow.nsi
; Per machine, into Program Files; one Start-menu shortcut; one uninstall entry. The uninstaller
; removes exactly what this installer made and nothing the user put there.

!ifndef PRODUCT
  !error "PRODUCT is not defined: build the installer with scripts/release.sh"
!endif
!ifndef VERSION
  !error "VERSION is not defined: build the installer with scripts/release.sh"
!endif
!ifndef PUBLISHER
  !error "PUBLISHER is not defined: build the installer with scripts/release.sh"
!endif
!ifndef HOMEPAGE
  !error "HOMEPAGE is not defined: build the installer with scripts/release.sh"
!endif
!ifndef SIZE_KB
  !error "SIZE_KB is not defined: build the installer with scripts/release.sh"
!endif
!ifndef STAGE
  !error "STAGE is not defined: build the installer with scripts/release.sh"
!endif
!ifndef ICON
  !error "ICON is not defined: build the installer with scripts/release.sh"
!endif
!ifndef OUTFILE
  !error "OUTFILE is not defined: build the installer with scripts/release.sh"
!endif

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

Unicode true
SetCompressor /SOLID lzma
; No build times inside: the same sources make the same installer.
SetDateSave off

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$PROGRAMFILES\${PRODUCT}"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show
LicenseData "${STAGE}\LICENSE.txt"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "See LICENSE.txt"

Page license
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "${PRODUCT}"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${STAGE}\brimlow.exe"
  File "${STAGE}\README.txt"
  File "${STAGE}\LICENSE.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\brimlow.exe" "" "$INSTDIR\brimlow.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\brimlow.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "${HOMEPAGE}"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$INSTDIR\brimlow.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: reports the user saved here stay.
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
