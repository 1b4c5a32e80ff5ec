<?xml version="1.0" encoding="UTF-8"?>
<!--
  A Halvo XML invoice to the VEX host document text, as an integrator
  would write it without the plug-in: XSLT 1.0 for xsltproc.

    xsltproc -o dokument.txt halvo-to-vex.xsl faktura.xml

  The 28 header records, then one "Linia:" record per sale or return block,
  each line ended with CR LF, in Windows-1250.  The VAT rates are the
  module's defaults; set others with -stringparam StawkaA 23 and so on.
  Categorisation is not done: Asortyment stays empty.
-->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="text" encoding="windows-1250"/>

  <xsl:param name="StawkaA" select="'23'"/>
  <xsl:param name="StawkaB" select="'8'"/>
  <xsl:param name="StawkaC" select="'5'"/>
  <xsl:param name="StawkaD" select="'0'"/>
  <xsl:param name="StawkaG" select="'ZW'"/>

  <xsl:variable name="eol" select="'&#13;&#10;'"/>

  <xsl:template match="/">
    <xsl:variable name="header" select="*/InvoiceHeader"/>
    <xsl:variable name="date" select="normalize-space($header/szDate)"/>
    <xsl:variable name="media" select="normalize-space($header/lMediaNmbr)"/>
    <xsl:variable name="blocks" select="*/InvoiceLines/ART_SALE | */InvoiceLines/ART_RETURN"/>

    <xsl:value-of select="concat('TypDok:', $eol)"/>
    <xsl:value-of select="concat('NrDok :', $header/szInvoiceIDPDF, $eol)"/>
    <xsl:value-of select="concat('Data:', substring($date, 7, 2), '.', substring($date, 5, 2),
                                 '.', substring($date, 1, 4), $eol)"/>
    <xsl:text>SposobPlatn:</xsl:text>
    <xsl:choose>
      <xsl:when test="not($header/lMediaNmbr)"/>
      <xsl:when test="$media = '1'">GOT</xsl:when>
      <xsl:when test="$media = '1300'">PRZEL</xsl:when>
      <xsl:when test="$media = '300'">KARTA</xsl:when>
      <xsl:otherwise>INNA</xsl:otherwise>
    </xsl:choose>
    <xsl:value-of select="$eol"/>
    <xsl:value-of select="concat('TerminPlatn:0', $eol, 'IndeksCentralny:SWW', $eol)"/>
    <xsl:call-template name="party">
      <xsl:with-param name="role" select="'Wystawcy'"/>
    </xsl:call-template>
    <xsl:call-template name="party">
      <xsl:with-param name="role" select="'Odbiorcy'"/>
    </xsl:call-template>
    <xsl:value-of select="concat('DotyczyDok:', $eol)"/>
    <xsl:value-of select="concat('IloscLinii:', count($blocks), $eol)"/>
    <xsl:apply-templates select="$blocks"/>
  </xsl:template>

  <!-- The issuer's or the recipient's ten records, all empty but for the
       shop-network number. -->
  <xsl:template name="party">
    <xsl:param name="role"/>
    <xsl:value-of select="concat('Nazwa', $role, ':', $eol, 'Adres', $role, ':', $eol,
                                 'Kod', $role, ':', $eol, 'Miasto', $role, ':', $eol,
                                 'Ulica', $role, ':', $eol, 'NIP', $role, ':', $eol,
                                 'Bank', $role, ':', $eol, 'Konto', $role, ':', $eol,
                                 'Telefon', $role, ':', $eol,
                                 'Nr', $role, 'WSieciSklepow:0', $eol)"/>
  </xsl:template>

  <!-- Every variable is a plain value (select=), never a tree fragment:
       libxslt then keeps appending to the document's text in place, where
       a fragment in between makes each append copy the whole text so far. -->
  <xsl:template match="ART_SALE | ART_RETURN">
    <xsl:variable name="bar_code" select="string(EanSingle)"/>
    <xsl:variable name="input_code" select="string(szInputString)"/>
    <xsl:variable name="code" select="string(szVatPrintCode)"/>
    <xsl:variable name="price" select="translate(dTaAveragePiecePriceDiscounted, ',', '.')"/>
    <xsl:variable name="packs" select="format-number(translate(dQuantityEntry, ',', '.')
                                       * translate(dPieceQuantity, ',', '.'), '0.00')"/>

    <xsl:value-of select="concat('Linia:Nazwa{', szDescription, '}')"/>
    <xsl:choose>
      <xsl:when test="$bar_code = ''">
        <xsl:value-of select="concat('Kod{', $input_code, '}')"/>
      </xsl:when>
      <xsl:when test="$bar_code = $input_code or $input_code = ''">
        <xsl:value-of select="concat('Kod{', $bar_code, '}')"/>
      </xsl:when>
      <xsl:otherwise>
        <xsl:value-of select="concat('Kod{', $bar_code, '}Kod1{', $input_code, '}')"/>
      </xsl:otherwise>
    </xsl:choose>
    <xsl:text>Vat{</xsl:text>
    <xsl:choose>
      <xsl:when test="$code = 'A'"><xsl:value-of select="$StawkaA"/></xsl:when>
      <xsl:when test="$code = 'B'"><xsl:value-of select="$StawkaB"/></xsl:when>
      <xsl:when test="$code = 'C'"><xsl:value-of select="$StawkaC"/></xsl:when>
      <xsl:when test="$code = 'D'"><xsl:value-of select="$StawkaD"/></xsl:when>
      <xsl:when test="$code = 'np'"><xsl:value-of select="$StawkaG"/></xsl:when>
    </xsl:choose>
    <xsl:text>}Jm{</xsl:text>
    <xsl:choose>
      <xsl:when test="szPackagePrintCode = 'ST'">szt.</xsl:when>
      <xsl:otherwise><xsl:value-of select="szPackagePrintCode"/></xsl:otherwise>
    </xsl:choose>
    <xsl:value-of select="concat('}Asortyment{}Sww{', szItemID, '}Subsys{', szItemID,
                                 '}PKWiU{', szDesc1, '}Ilosc{')"/>
    <!-- A weighed quantity is copied as written; packs times pieces are
         computed.  The value is quantity times price, or the invoice's
         total when there is no price. -->
    <xsl:choose>
      <xsl:when test="dMeasurementEntry1">
        <xsl:value-of select="concat(dMeasurementEntry1, '}Cena{}Wartosc{n')"/>
      </xsl:when>
      <xsl:otherwise>
        <xsl:value-of select="concat($packs, '}Cena{}Wartosc{n')"/>
      </xsl:otherwise>
    </xsl:choose>
    <xsl:choose>
      <xsl:when test="$price = ''">
        <xsl:value-of select="dTaTotal"/>
      </xsl:when>
      <xsl:when test="dMeasurementEntry1">
        <xsl:value-of
            select="format-number(translate(dMeasurementEntry1, ',', '.') * $price, '0.00')"/>
      </xsl:when>
      <xsl:otherwise>
        <xsl:value-of select="format-number($packs * $price, '0.00')"/>
      </xsl:otherwise>
    </xsl:choose>
    <xsl:value-of select="concat('}IleKgL{', dPieceContentsQuantity, '}', $eol)"/>
  </xsl:template>
</xsl:stylesheet>
