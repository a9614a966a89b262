<?xml version="1.0"?>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="text"/>
  <xsl:param name="prefix" select="'-'"/>
  <xsl:param name="suffix" select="'.'"/>
  <xsl:template match="/">
    <xsl:for-each select="operators/op">
      <xsl:value-of select="concat($prefix, @name, $suffix)"/>
      <xsl:text>&#10;</xsl:text>
    </xsl:for-each>
  </xsl:template>
</xsl:stylesheet>
